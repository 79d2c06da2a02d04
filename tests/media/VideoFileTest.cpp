// The clip reader: frame look-up by time, reads in any order, byte order and orientation, and
// the fatal report of files it cannot read.
#include "MediaTestSupport.h"

#include "media/VideoFile.h"

#include <gtest/gtest.h>

using namespace MediaTest;

namespace {

// Frame n of the lossless test clip: blue tells the frame, green the column, red the row.
uint32_t numberedPixel(int frame, int x, int y) {
    return uint32_t(y * 32) << 16 | uint32_t(x * 16) << 8 | uint32_t(frame * 8);
}

class VideoFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        clip = folder.file("numbered.avi");
        ASSERT_TRUE(writeClip(clip, "ffv1", 16, 8, 23, 30, numberedPixel));
    }
    ScratchFolder folder;
    std::string clip;
};
using VideoFileDeathTest = VideoFileTest;

} // namespace

TEST_F(VideoFileTest, TimeToFrameFollowsTheFrameRateInAnyOrder) {
    // 700 frames at 25 per second; blue and green hold the frame number
    std::string longClip = folder.file("long.avi");
    ASSERT_TRUE(
        writeClip(longClip, "ffv1", 16, 8, 25, 700, [](int frame, int, int) { return uint32_t(frame); }));
    VideoFile reader(longClip.c_str());
    ASSERT_EQ(reader.getWidth(), 16);
    ASSERT_EQ(reader.getHeight(), 8);
    std::vector<uint8_t> pixels(16 * 8 * 3);
    // forward, far forward, backward, past the end (the last frame), negative (frame 0)
    for (int32_t t : {0, 39, 40, 1000, 15000, 27000, 3000, 27960, 100000, 0, 80, -50}) {
        reader.readFrame(pixels.data(), t, false);
        EXPECT_EQ(pixels[0] | pixels[1] << 8, std::clamp(t * 25 / 1000, 0, 699)) << "at " << t << " ms";
    }
    VideoFile rate23(clip.c_str());
    EXPECT_EQ(rate23.frameAtTime(43), 0); // 43 x 23 / 1000 = 0.989
    EXPECT_EQ(rate23.frameAtTime(1000), 23);
    EXPECT_EQ(rate23.frameAtTime(11000), 253);
}

TEST_F(VideoFileTest, PixelsArePackedTopDownInBlueGreenRedOrder) {
    VideoFile reader(clip.c_str());
    std::vector<uint8_t> packed(16 * 8 * 3), wide(16 * 8 * 4, 0xEE);
    reader.readFrame(packed.data(), 87, false); // frame 2
    reader.readFrame(wide.data(), 87, true);
    for (int i = 0; i < 16 * 8; ++i) {
        int x = i % 16, y = i / 16;
        ASSERT_EQ(packed[i * 3 + 0], 16);
        ASSERT_EQ(packed[i * 3 + 1], x * 16);
        ASSERT_EQ(packed[i * 3 + 2], y * 32);
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(wide[i * 4 + c], packed[i * 3 + c]);
        ASSERT_EQ(wide[i * 4 + 3], 0);
    }
    // 2 x 2: white top-left, red top-right, blue bottom-left, green bottom-right
    std::string tiny = folder.file("tiny.avi");
    ASSERT_TRUE(writeClip(tiny, "ffv1", 2, 2, 25, 1, [](int, int x, int y) -> uint32_t {
        static const uint32_t colours[2][2] = {{0xFFFFFF, 0xFF0000}, {0x0000FF, 0x00FF00}};
        return colours[y][x];
    }));
    VideoFile tinyReader(tiny.c_str());
    uint8_t out[16];
    tinyReader.readFrame(out, 0, true);
    const uint8_t expected[16] = {255, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0};
    EXPECT_TRUE(std::equal(out, out + 16, expected));
}

TEST_F(VideoFileTest, LossyClipsDecodeCloseToTheirColours) {
    // The mpeg4 codec: top half bright, bottom half dark, the level rising with the frame
    std::string lossy = folder.file("lossy.avi");
    ASSERT_TRUE(writeClip(lossy, "mpeg4", 16, 8, 23, 30, [](int frame, int, int y) -> uint32_t {
        uint32_t level = uint32_t((y < 4 ? 160 : 30) + frame * 2);
        return level << 16 | level << 8 | level;
    }));
    VideoFile reader(lossy.c_str());
    std::vector<uint8_t> pixels(16 * 8 * 3);
    for (int32_t t : {0, 1000, 400, 1260}) {
        int frame = int(reader.frameAtTime(t));
        reader.readFrame(pixels.data(), t, false);
        EXPECT_NEAR(pixels[(1 * 16 + 5) * 3 + 1], 160 + frame * 2, 6) << "top at " << t;
        EXPECT_NEAR(pixels[(6 * 16 + 5) * 3 + 1], 30 + frame * 2, 6) << "bottom at " << t;
    }
    std::string small = folder.file("small.avi");
    ASSERT_TRUE(writeClip(small, "mpeg4", 2, 2, 25, 3,
                          [](int, int, int y) { return y == 0 ? 0xC8C8C8u : 0x282828u; }));
    VideoFile tiny(small.c_str());
    uint8_t out[12];
    tiny.readFrame(out, 80, false);
    EXPECT_GT(out[0], 150);
    EXPECT_LT(out[6], 90);
}

TEST(VideoFileFailure, BoxTextCarriesTheSystemTextOrAnExclamationMark) {
    EXPECT_EQ(VideoFile::failureText("Couldn't open avi file!", 2),
              "Couldn't open avi file! - 'No such file or directory'");
    EXPECT_EQ(VideoFile::failureText("Colour format not supported", 666), "Colour format not supported!");
    EXPECT_EQ(VideoFile::failureText("Couldn't process video", -1), "Couldn't process video!");
}

TEST_F(VideoFileDeathTest, FilesThatAreNotClipsEndTheProcessAfterTheErrorCallback) {
    VideoFile::setErrorCallback([] { std::fputs("display closed\n", stderr); });
    std::string garbage = folder.file("garbage.avi");
    std::vector<uint8_t> noise(4000);
    uint32_t state = 7;
    for (uint8_t& byte : noise)
        byte = uint8_t((state = state * 1103515245u + 12345u) >> 24);
    writeWhole(garbage, noise);
    EXPECT_EXIT(VideoFile reader(garbage.c_str()), ::testing::ExitedWithCode(1),
                "display closed\n(.|\n)*Couldn't open avi file! - '");
    EXPECT_EXIT(VideoFile reader(folder.file("missing.avi").c_str()), ::testing::ExitedWithCode(1),
                "Couldn't open avi file! - 'No such file or directory'");
    std::vector<uint8_t> whole = readWhole(clip);
    std::string truncated = folder.file("truncated.avi");
    writeWhole(truncated, std::vector<uint8_t>(whole.begin(), whole.begin() + 400));
    EXPECT_EXIT(VideoFile reader(truncated.c_str()), ::testing::ExitedWithCode(1),
                "Couldn't (open avi file|decompress video-stream)");
    VideoFile::setErrorCallback(nullptr);
}

TEST_F(VideoFileDeathTest, AClipWithoutADecoderGetsTheCodecMessage) {
    std::vector<uint8_t> bytes = readWhole(clip);
    // rename the codec everywhere it is named: the stream header and the bitmap format
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::equal(bytes.begin() + long(i), bytes.begin() + long(i) + 4, "FFV1"))
            std::copy_n("QQQ9", 4, bytes.begin() + long(i));
    std::string unknown = folder.file("unknown.avi");
    writeWhole(unknown, bytes);
    EXPECT_EXIT(VideoFile reader(unknown.c_str()), ::testing::ExitedWithCode(1),
                "Couldn't decompress video-stream!\n\n\nYou need the DivX codec \\(5.03 or later\\) in order "
                "to watch this.\n.*FFmpeg");
}
