// Decoded clips: the frame times of decoding, frame look-up, placement, clipping at every edge,
// doubled stores and the 180-degree mode.
#include "MediaTestSupport.h"

#include "media/VideoClip.h"
#include "platform/FrameBuffer.h"

#include <gtest/gtest.h>

using namespace MediaTest;

namespace {

// Frame n: blue n x 8, green column x 16, red row x 32 (lossless clip, 16 x 8, 23 fps, 30 frames).
uint32_t numberedPixel(int frame, int x, int y) {
    return uint32_t(y * 32) << 16 | uint32_t(x * 16) << 8 | uint32_t(frame * 8);
}

class VideoClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        useFrameBufferSettings();
        mirrorClips = false;
        path = folder.file("numbered.avi");
        ASSERT_TRUE(writeClip(path, "ffv1", 16, 8, 23, 30, numberedPixel));
    }
    void TearDown() override { mirrorClips = false; }

    static const uint8_t* pixelAt(FrameBuffer& frameBuffer, int x, int y) {
        int64_t stride = frameBuffer.getWidth() + frameBuffer.isDoubled();
        return frameBuffer.getPixels() + (y * stride + x) * 4;
    }

    ScratchFolder folder;
    std::string path;
};

} // namespace

TEST(VideoClipFrames, DecodingStepsInFloatsGiveTheShowsFrameCounts) {
    EXPECT_EQ(VideoClip::countFrames(16900, 23), 389);
    EXPECT_EQ(VideoClip::countFrames(11000, 23), 254);
    EXPECT_EQ(VideoClip::countFrames(3200, 29), 93);
    EXPECT_EQ(VideoClip::countFrames(0, 23), 0);
    EXPECT_EQ(VideoClip::countFrames(-5, 23), 0);
    EXPECT_EQ(VideoClip::countFrames(1000, 0), 1) << "no rate: one frame, never an endless loop";
    EXPECT_EQ(VideoClip::countFrames(1000, -3), 1);
}

TEST_F(VideoClipTest, FramesAreDecodedAtTruncatedStepTimes) {
    VideoClip clip(path, 1000, 23, true);
    ASSERT_EQ(clip.getFrameCount(), 23);
    ASSERT_EQ(clip.getWidth(), 16);
    ASSERT_EQ(clip.getHeight(), 8);
    // frame k is the file's frame at trunc(k x 1000 / 23) ms: 0, 43 (still file frame 0), 86 ...
    const int expected[] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
    for (int k = 0; k < 23; ++k)
        EXPECT_EQ(clip.getFrame(k)[0], expected[k] * 8) << "frame " << k;
    EXPECT_EQ(clip.frameIndexAt(0), 0);
    EXPECT_EQ(clip.frameIndexAt(999), 22);
    EXPECT_EQ(clip.frameIndexAt(1000), 22) << "past the decoded frames: the last one";
    EXPECT_EQ(clip.frameIndexAt(-40), 0);
}

TEST_F(VideoClipTest, DoubledStoresGetEverySecondLine) {
    VideoClip clip(path, 1000, 23, true);
    FrameBuffer target(16, 8, true);
    clip.draw(&target, 0);
    const uint8_t* store = target.getPixels();
    for (int line = 0; line < 16; ++line) {
        const uint8_t* p = store + line * 16 * 4 + 3 * 4;
        if (line % 2)
            EXPECT_EQ(p[2], 0) << "odd store line " << line;
        else
            EXPECT_EQ(p[2], (line / 2) * 32);
    }
}

TEST_F(VideoClipTest, DrawingPlacesTheFrameAndNeverLeavesTheFrameBuffer) {
    VideoClip clip(path, 1000, 23, true);
    struct Placement {
        int left, top;
    };
    for (bool mirrored : {false, true}) {
        mirrorClips = mirrored;
        for (Placement at : {Placement{0, 0}, Placement{-6, 0}, Placement{-20, 0}, Placement{10, 4},
                             Placement{0, -5}, Placement{-3, -3}, Placement{12, 6}, Placement{100, 100}}) {
            FrameBuffer target(16, 8, false);
            std::fill_n(target.getPixels(), 16 * 8 * 4, 0xAB);
            target.setLeft(at.left);
            target.setTop(at.top);
            clip.draw(&target, 130); // clip frame 2
            ASSERT_EQ(clip.getCurrentFrame(), clip.getFrame(2));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 16; ++x) {
                    int cx = x - at.left, cy = y - at.top;
                    const uint8_t* p = pixelAt(target, x, y);
                    ASSERT_EQ(p[3], 0xAB) << "byte 3 is never written";
                    if (cx < 0 || cx >= 16 || cy < 0 || cy >= 8) {
                        ASSERT_EQ(p[0] & p[1] & p[2], 0xAB) << "drawn outside at " << x << "," << y;
                        continue;
                    }
                    int sx = mirrored ? 15 - cx : cx, sy = mirrored ? 7 - cy : cy;
                    ASSERT_EQ(p[1], sx * 16) << at.left << "," << at.top << " mirrored " << mirrored;
                    ASSERT_EQ(mirrored ? p[0] : p[2], sy * 32);
                    ASSERT_EQ(mirrored ? p[2] : p[0], 8);
                }
        }
    }
}

TEST_F(VideoClipTest, MirroredFramesAreTurnedAndTheirOuterBytesExchanged) {
    std::string tiny = folder.file("tiny.avi");
    ASSERT_TRUE(writeClip(tiny, "ffv1", 2, 2, 25, 1, [](int, int x, int y) -> uint32_t {
        static const uint32_t colours[2][2] = {{0x102030, 0x405060}, {0x708090, 0xA0B0C0}};
        return colours[y][x];
    }));
    VideoClip clip(tiny, 40, 25, true);
    FrameBuffer target(2, 2, false);
    mirrorClips = true;
    clip.draw(&target, 0);
    // bytes of the frame, read backwards from its last byte
    const uint8_t expected[16] = {0xA0, 0xB0, 0xC0, 0, 0x70, 0x80, 0x90, 0,
                                  0x40, 0x50, 0x60, 0, 0x10, 0x20, 0x30, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(target.getPixels()[i], expected[i]) << "byte " << i;
}

TEST_F(VideoClipTest, PrefetchedClipsEqualClipsDecodedInPlace) {
    std::string second = folder.file("second.avi");
    ASSERT_TRUE(writeClip(second, "ffv1", 16, 8, 29, 40, numberedPixel));
    VideoClip::prefetch(path, 1000, 23);
    VideoClip::prefetch(second, 1300, 29);
    VideoClip first(path, 1000, 23, true);
    VideoClip other(second, 1300, 29, true);
    VideoClip firstAgain(path, 1000, 23, true); // no prefetch left: decodes here
    VideoClip otherAgain(second, 1300, 29, true);
    ASSERT_EQ(first.getFrameCount(), firstAgain.getFrameCount());
    ASSERT_EQ(other.getFrameCount(), otherAgain.getFrameCount());
    for (int k = 0; k < first.getFrameCount(); ++k)
        ASSERT_TRUE(std::equal(first.getFrame(k), first.getFrame(k) + 16 * 8 * 3, firstAgain.getFrame(k)));
    for (int k = 0; k < other.getFrameCount(); ++k)
        ASSERT_TRUE(std::equal(other.getFrame(k), other.getFrame(k) + 16 * 8 * 3, otherAgain.getFrame(k)));
}

TEST_F(VideoClipTest, APrefetchThatFailsIsReportedByTheLoader) {
    std::string broken = folder.file("broken.avi");
    writeWhole(broken, std::vector<uint8_t>(3000, 0x5A));
    EXPECT_EXIT(
        {
            VideoClip::prefetch(broken, 1000, 23);
            VideoClip clip(broken, 1000, 23, true);
        },
        ::testing::ExitedWithCode(1), "Couldn't open avi file! - '");
}
