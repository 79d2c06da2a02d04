// The default show data, when the data generator has made data.data in the working directory:
// its clips decode to the show's frame counts. (That its music plays is shown by the renders,
// whose captured sound is checked in the render suite.)
#include "MediaTestSupport.h"

#include "media/clips/ClipLibrary.h"
#include "media/clips/VideoClip.h"
#include "resources/ClipExtraction.h"
#include "resources/FileServer.h"
#include "resources/ShowClips.h"

#include <gtest/gtest.h>

#include <memory>

using namespace MediaTest;

TEST(ShowData, ClipsDecodeToTheShowsFrameCounts) {
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
    std::unique_ptr<VideoClip> one = clipOf(flightClip), two = clipOf(tunnelClip), three = clipOf(solidsClip);
    removeTempClips();
    EXPECT_EQ(one->getFrameCount(), 389);
    EXPECT_EQ(two->getFrameCount(), 254);
    EXPECT_EQ(three->getFrameCount(), 93);
    EXPECT_EQ(two->frameIndexAt(11000), 253);
    for (VideoClip* clip : {one.get(), two.get(), three.get()}) {
        ASSERT_GT(clip->getWidth(), 0);
        const uint8_t* frame = clip->getFrame(clip->getFrameCount() / 2);
        size_t bytes = size_t(clip->getWidth()) * size_t(clip->getHeight()) * 3;
        EXPECT_NE(std::count(frame, frame + bytes, 0), std::ptrdiff_t(bytes)) << "a black frame";
    }
}
