// Decoded clips: the frame times of decoding, frame look-up, placement and clipping at every
// edge, mirroring, doubled stores, prefetching and the memory budget. (The budget refusing a clip
// of 8000x8000 pixels is the hostile matrix's.)
#include "MediaTestSupport.h"

#include "platform/DisplayPair.h"
#include "media/VideoFailure.h"
#include "media/clips/VideoClip.h"
#include "platform/FrameBuffer.h"

#include <gtest/gtest.h>

using namespace MediaTest;

namespace {

// A lossless numbered clip: 16 x 8, 23 fps, 30 frames.
class VideoClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeDisplaySettings(640, 480);
        mirrorClips = false;
        ASSERT_TRUE(writeClip(path, 16, 8, 23, 30, numberedPixel));
    }
    ScratchFolder folder;
    std::string path = folder.file("numbered.avi");
};

} // namespace

TEST(VideoClipFrames, DecodingStepsInFloatsGiveTheShowsFrameCounts) {
    EXPECT_EQ(VideoClip::countFrames(11000, 23), 254);
    EXPECT_EQ(VideoClip::countFrames(3200, 29), 93);
    EXPECT_EQ(VideoClip::countFrames(-5, 23), 0);
    EXPECT_EQ(VideoClip::countFrames(1000, 0), 1) << "no rate: one frame, never an endless loop";
}

TEST_F(VideoClipTest, FramesAreDecodedAtTruncatedStepTimes) {
    VideoClip clip(path, 1000, 23, true);
    ASSERT_EQ(clip.getFrameCount(), 23);
    // frame k is the file's frame at trunc(k x 1000 / 23) ms: 0, 43 (still file frame 0), 86 ...
    for (int k = 0; k < 23; ++k) EXPECT_EQ(clip.getFrame(k)[0], std::max(0, k - 1) * 8) << "frame " << k;
    EXPECT_EQ(clip.frameIndexAt(999), 22);
    EXPECT_EQ(clip.frameIndexAt(1000), 22) << "past the decoded frames: the last one";
    EXPECT_EQ(clip.frameIndexAt(-40), 0);

    FrameBuffer doubled(16, 8, true); // doubled stores get every second line
    clip.draw(&doubled, 0);
    for (int line = 0; line < 16; ++line)
        EXPECT_EQ(doubled.getPixels()[(line * 16 + 3) * 4 + 2], line % 2 ? 0 : line / 2 * 32) << "line " << line;
}

TEST_F(VideoClipTest, DrawingPlacesTheFrameAndNeverLeavesTheFrameBuffer) {
    VideoClip clip(path, 1000, 23, true);
    for (bool mirrored : {false, true}) {
        mirrorClips = mirrored;
        for (auto [left, top] : std::initializer_list<std::pair<int, int>>{
                 {0, 0}, {-6, 0}, {-20, 0}, {10, 4}, {0, -5}, {-3, -3}, {12, 6}, {100, 100}}) {
            FrameBuffer target(16, 8, false);
            std::fill_n(target.getPixels(), 16 * 8 * 4, 0xAB);
            target.setLeft(left);
            target.setTop(top);
            clip.draw(&target, 130); // clip frame 2
            ASSERT_EQ(clip.getCurrentFrame(), clip.getFrame(2));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 16; ++x) {
                    int cx = x - left, cy = y - top;
                    const uint8_t* p = target.getPixels() + (y * 16 + x) * 4;
                    ASSERT_EQ(p[3], 0xAB) << "byte 3 is never written";
                    if (cx < 0 || cx >= 16 || cy < 0 || cy >= 8) {
                        ASSERT_EQ(p[0] & p[1] & p[2], 0xAB) << "drawn outside at " << x << "," << y;
                        continue;
                    }
                    // mirrored: turned 180 degrees and the outer bytes of each pixel exchanged
                    int sx = mirrored ? 15 - cx : cx, sy = mirrored ? 7 - cy : cy;
                    ASSERT_EQ(p[1], sx * 16) << left << "," << top << " mirrored " << mirrored;
                    ASSERT_EQ(mirrored ? p[0] : p[2], sy * 32);
                    ASSERT_EQ(mirrored ? p[2] : p[0], 8);
                }
        }
    }
}

TEST_F(VideoClipTest, PrefetchedClipsEqualClipsDecodedInPlace) {
    std::string second = folder.file("second.avi");
    ASSERT_TRUE(writeClip(second, 16, 8, 29, 40, numberedPixel));
    VideoClip::prefetch(path, 1000, 23);
    VideoClip::prefetch(second, 1300, 29);
    VideoClip::awaitPrefetches(); // waiting keeps the frames for the clips that take them
    for (auto [name, ms, fps] : {std::tuple{path, 1000, 23}, std::tuple{second, 1300, 29}}) {
        VideoClip fetched(name, ms, fps, true);
        VideoClip again(name, ms, fps, true); // no prefetch left: decodes here
        ASSERT_EQ(fetched.getFrameCount(), again.getFrameCount());
        for (int k = 0; k < fetched.getFrameCount(); ++k)
            ASSERT_TRUE(std::equal(fetched.getFrame(k), fetched.getFrame(k) + 16 * 8 * 3, again.getFrame(k)));
    }
}

TEST_F(VideoClipTest, AClipPastTheBudgetEndsTheShowBeforeItsFramesAreAllocated) {
    // The rest of the show's clips already hold all but one frame's worth of the budget.
    const uint64_t before = ClipMemoryBudget::reservedBytes();
    const uint64_t taken = ClipMemoryBudget::limitBytes - before - 16 * 8 * 3;
    ClipMemoryBudget::Reservation others(taken);
    try {
        VideoClip refused(path, 1000, 23, true);
        ADD_FAILURE() << "a clip past the budget was decoded";
    } catch (const VideoFailure& failure) {
        EXPECT_NE(failure.message().find("Couldn't decode clip numbered.avi: 16x8 pixels x 23 frames need 1 MiB"),
                  std::string::npos)
            << failure.message();
    }
    // A failed decode nobody has asked for yet is thrown once it is waited for. (A broken clip
    // decoded in the background at start-up is the broken-clip-data script's.)
    VideoClip::prefetch(path, 1000, 23);
    EXPECT_THROW(VideoClip::awaitPrefetches(), VideoFailure);
    EXPECT_EQ(ClipMemoryBudget::reservedBytes(), before + taken) << "a refused clip holds nothing";
}
