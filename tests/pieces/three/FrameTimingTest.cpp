// Rendered frame times of piece three: how many frames a render gives at a frame rate before the
// end of the piece, and the progress it reports.
#include "pieces/three/FrameTiming.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

namespace {
struct RenderedFrames {
    int32_t count = 0;
    int32_t lastPercent = -1;
    int32_t lastDrawnMs = -1;
    int32_t percentAtHalf = -1; // at the first frame time from 3763 units (53 s) on
};

// The render loop's clock: each frame drawn at the time set after the previous capture, until
// a frame's time reaches the end of the piece.
RenderedFrames renderFrames(int32_t framesPerSecond) {
    Timer clock;
    RenderedFrames frames;
    float units = 0.0f;
    clock.setTime(0);
    while (clock.getElapsedMs() < FrameTiming::pieceEndMs) {
        clock.setTime(int32_t(units));
        frames.lastDrawnMs = clock.getElapsedMs();
        units = FrameTiming::frameTimeUnits(float(framesPerSecond), frames.count);
        clock.setTime(int32_t(units));
        frames.lastPercent = FrameTiming::progressPercent(units);
        if (frames.percentAtHalf < 0 && units >= 3763.0f) frames.percentAtHalf = frames.lastPercent;
        ++frames.count;
    }
    return frames;
}
} // namespace

TEST(FrameTiming, ARenderGivesAFrameForEveryFrameTimeBefore106Seconds) {
    struct Case {
        int32_t framesPerSecond;
        int32_t minimum, maximum;
    } cases[] = {{25, 2650, 2653}, {2, 212, 214}, {30, 3180, 3183}};
    for (const Case& c : cases) {
        RenderedFrames frames = renderFrames(c.framesPerSecond);
        EXPECT_GE(frames.count, c.minimum) << c.framesPerSecond;
        EXPECT_LE(frames.count, c.maximum) << c.framesPerSecond;
        EXPECT_LT(frames.lastDrawnMs, FrameTiming::pieceEndMs);
        EXPECT_GE(frames.lastPercent, 99);
        EXPECT_LE(frames.lastPercent, 100);
        EXPECT_EQ(frames.percentAtHalf, 50);
    }
}
