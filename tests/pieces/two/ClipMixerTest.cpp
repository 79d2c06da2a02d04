// Piece two's mixing step: loop windows, the fade held in them, and the roll offset, each at
// their edges.
#include "PieceTwoTestSupport.h"

#include <gtest/gtest.h>

using namespace PieceTwoTest;

namespace {

// A window of 220 ms at rate 2.0 on clip index 1 repeats 220 ms of the clip, from where the
// clip was when the window opened, every 110 ms of show time.
TEST(PieceTwoClipMixer, LoopWindowRepeatsAStretchAtItsRate) {
    CutDirector director;
    ClipLibrary clips;
    ClipMixer mixer(clips);
    director.beginLoop(220, 2.0f);
    float current = 0.5f, previous = 0.0f; // the first frame moves current to 5010 ms
    std::vector<int32_t> times;
    for (int frame = 0; frame < 45; ++frame) { // both clips each frame, as the mix takes them
        times.push_back(mixer.clipTime(director, 1, current, 10.0f));
        mixer.clipTime(director, 0, previous, 10.0f);
    }
    int wraps = 0;
    for (size_t n = 0; n < times.size(); ++n) {
        EXPECT_GE(times[n], 5010) << n;
        EXPECT_LT(times[n], 5010 + 220) << n;
        if (n >= 11) {
            EXPECT_NEAR(times[n], times[n - 11], 2) << n; // 11 frames of 10 ms
        }
        if (n >= 1 && n <= 10) wraps += times[n] < times[n - 1];
    }
    EXPECT_EQ(wraps, 1);
    // Leaving the window: the clip is where its curve says again.
    director.endLoop();
    EXPECT_NEAR(mixer.clipTime(director, 1, current, 10.0f), 5460, 1);
}

TEST(PieceTwoClipMixer, FadeIsHeldInsideLoopWindowsOutsideSixtyToEightySeconds) {
    struct Case {
        int32_t nowMs;
        bool looping;
        float mixAfter;
    };
    for (Case c : {Case{30000, false, 0.99f}, Case{30000, true, 1.0f}, Case{60000, true, 1.0f},
                   Case{60001, true, 0.99f}, Case{79999, true, 0.99f}, Case{80000, true, 1.0f}}) {
        TimelineRig rig;
        rig.director.advance(0.7f, CutDirector::listClip); // fresh cut at entry 0, fade rate 0.0002
        rig.director.looping = c.looping;
        rig.director.loopLength = 300;
        rig.mixer.mixClips(c.nowMs, rig.director, 50.0f);
        EXPECT_FLOAT_EQ(rig.director.mix, c.mixAfter) << c.nowMs << (c.looping ? " looping" : "");
    }
}

TEST(PieceTwoClipMixer, RollOffsetIsDrawnOnlyWhereTheRollTrackIsOn) {
    ShowRandom::seed(5);
    EXPECT_EQ(ClipMixer::rollOffsetAt(68999), 0);
    EXPECT_EQ(ClipMixer::rollOffsetAt(76000), 0);
    const int32_t offset = ClipMixer::rollOffsetAt(69001); // the first draw: none was made above
    ShowRandom::seed(5);
    EXPECT_EQ(offset, ShowRandom::next() % 239); // below the roll track's 239 there
}

} // namespace
