// The clip reader: frame look-up by time in any order, byte order and orientation, and the
// failures of files it cannot read, which name the file. (Lossy clips are the show's own, which
// every render decodes.)
#include "MediaTestSupport.h"

#include "media/VideoFailure.h"
#include "media/clips/ClipReader.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace MediaTest;

namespace {

class ClipReaderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(writeClip(clip, 16, 8, 23, 30, numberedPixel)); }
    ScratchFolder folder;
    std::string clip = folder.file("numbered.avi");
};

} // namespace

TEST_F(ClipReaderTest, TimeToFrameFollowsTheFrameRateInAnyOrder) {
    // 700 frames at 25 per second; blue and green hold the frame number
    std::string longClip = folder.file("long.avi");
    ASSERT_TRUE(writeClip(longClip, 16, 8, 25, 700, [](int frame, int, int) { return uint32_t(frame); }));
    ClipReader reader(longClip);
    std::vector<uint8_t> pixels(16 * 8 * 3);
    // forward, far forward, backward, past the end (the last frame), negative (frame 0)
    for (int32_t t : {0, 39, 40, 1000, 15000, 27000, 3000, 27960, 100000, 0, 80, -50}) {
        reader.readFrame(pixels.data(), t, false);
        EXPECT_EQ(pixels[0] | pixels[1] << 8, std::clamp(t * 25 / 1000, 0, 699)) << "at " << t << " ms";
    }
}

TEST_F(ClipReaderTest, FrameBufferPixelsAreTopDownBlueGreenRedAndZero) {
    // (Three bytes a pixel, as every decoded clip has them, are VideoClipTest's.)
    ClipReader reader(clip);
    std::vector<uint8_t> wide(16 * 8 * 4, 0xEE);
    reader.readFrame(wide.data(), 87, true); // frame 2
    for (int i = 0; i < 16 * 8; ++i) {
        const uint8_t expected[4] = {16, uint8_t(i % 16 * 16), uint8_t(i / 16 * 32), 0};
        ASSERT_TRUE(std::equal(expected, expected + 4, &wide[size_t(i) * 4])) << i;
    }
}

TEST_F(ClipReaderTest, FilesThatAreNotClipsFailWithTheBoxTextAndTheFileName) {
    // (Bytes that are no clip at all are broken_clip_data.sh's, which the show reads end to end.)
    // a clip whose codec nobody decodes: renamed in the stream header and the bitmap format
    std::vector<uint8_t> bytes = readFileBytes(clip);
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::equal(bytes.begin() + long(i), bytes.begin() + long(i) + 4, "FFV1"))
            std::copy_n("QQQ9", 4, bytes.begin() + long(i));
    std::string unknown = folder.file("unknown.avi");
    writeFileBytes(unknown, bytes);

    const struct {
        std::string file;
        std::string boxStart;
    } cases[] = {
        {folder.file("missing.avi"), "Couldn't open avi file! - 'No such file or directory'"},
        {unknown,
         "Couldn't decompress video-stream!\n\n\nYou need the DivX codec (5.03 or later) in order to "
         "watch this.\n"},
    };
    for (const auto& each : cases) {
        try {
            ClipReader reader(each.file);
            ADD_FAILURE() << each.file << " opened";
        } catch (const VideoFailure& failure) {
            EXPECT_EQ(failure.boxText().rfind(each.boxStart, 0), 0u) << failure.boxText();
            EXPECT_NE(failure.cause().find(each.file), std::string::npos) << failure.cause();
        }
    }
}
