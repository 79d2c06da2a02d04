// The default show data, when the data generator has made data.data in the working directory:
// its clips decode to the show's frame counts and its music to channels that play.
#include "MediaTestSupport.h"

#include "media/ClipLibrary.h"
#include "media/SoundSystem.h"
#include "media/VideoClip.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"
#include "resources/FileServer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace MediaTest;

TEST(ShowData, ClipsDecodeToTheShowsFrameCountsAndTheMusicPlays) {
    if (!haveShowData()) GTEST_SKIP() << "no data.data in the working directory";
    useFrameBufferSettings();
    FileServer server(nullptr, 200);
    server.openArchive("data.data");
    extractClips(&server);
    prefetchShowClips();
    auto clipOf = [](ShowClipId id) {
        const ShowClip& clip = showClips[id];
        return std::make_unique<VideoClip>(tempClipPath(clip.fileName), clip.lengthMs, clip.framesPerSecond, true);
    };
    std::unique_ptr<VideoClip> flight = clipOf(flightClip), tunnel = clipOf(tunnelClip), solids = clipOf(solidsClip);
    VideoClip& one = *flight;
    VideoClip& two = *tunnel;
    VideoClip& three = *solids;
    removeTempClips();
    EXPECT_EQ(one.getFrameCount(), 389);
    EXPECT_EQ(two.getFrameCount(), 254);
    EXPECT_EQ(three.getFrameCount(), 93);
    EXPECT_EQ(two.frameIndexAt(11000), 253);
    for (VideoClip* clip : {&one, &two, &three}) {
        ASSERT_GT(clip->getWidth(), 0);
        const uint8_t* frame = clip->getFrame(clip->getFrameCount() / 2);
        size_t bytes = size_t(clip->getWidth()) * size_t(clip->getHeight()) * 3;
        EXPECT_NE(std::count(frame, frame + bytes, 0), std::ptrdiff_t(bytes)) << "a black frame";
    }

    SoundSystem& sound = SoundSystem::instance();
    sound.shutdown();
    ASSERT_TRUE(sound.initialise(SoundOutput::Offline));
    std::vector<std::unique_ptr<uint8_t[]>> blocks; // kept until the channels are gone
    for (const char* name :
         {"data/videoclip1.mpg", "data/broken.end", "data/col4.mp3", "data/videoclip2.mpg", "data/broken"}) {
        uint8_t* data = blocks.emplace_back(server.getFile(name)).get();
        ASSERT_NE(data, nullptr) << name;
        bool module = std::string(name) == "data/broken";
        int32_t size = server.getFileSize(name);
        SoundHandle channel = module ? sound.loadModule(data, size) : sound.createStream(data, size);
        ASSERT_NE(channel, 0u) << name;
        EXPECT_TRUE(module ? sound.playModule(channel) : sound.playStream(channel));
        EXPECT_TRUE(sound.renderOfflineBlock(4410)) << name << " ended at once";
        EXPECT_TRUE(sound.stop(channel));
    }
    sound.shutdown();
}
