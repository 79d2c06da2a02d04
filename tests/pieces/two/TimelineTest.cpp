// Piece two's timeline on the show clock set by hand: black until the first flash, the switch
// flashes as forced cuts, the loop windows (window 3 turned round), the band values of black
// periods and the band drawn, and the end handshake.
#include "PieceTwoTestSupport.h"

#include <gtest/gtest.h>

using namespace PieceTwoTest;

namespace {

std::unique_ptr<FrameBuffer> whiteStore() {
    return doubledStore([](int32_t) { return 0x00FFFFFFu; });
}

TEST(PieceTwoTimeline, BlackUntilTheFirstFlashWithBandValuesFromTheDefaultSeed) {
    TimelineRig rig;
    auto frameBuffer = whiteStore();
    ShowRandom::seed(1); // the generator as the process starts
    for (int32_t ms : {0, 14, 400, 763}) {
        EXPECT_EQ(rig.frameAt(ms, frameBuffer.get()), 0);
        EXPECT_FALSE(rig.timeline.areClipsVisible()) << ms;
    }
    EXPECT_TRUE(linesBlack(frameBuffer.get(), 0));
    EXPECT_EQ(rig.director.getCutCursor(), 1); // the automatic cut of the first frame
    ShowRandom::seed(1); // drawn once for the whole black period: above, below, then centre
    const BandValues band = rig.timeline.getBand();
    EXPECT_EQ(band.above, ShowRandom::next() % 10);
    EXPECT_EQ(band.below, ShowRandom::next() % 10);
    EXPECT_EQ(band.centre, ShowRandom::next() % 180 + 20);

    EXPECT_EQ(rig.frameAt(764, frameBuffer.get()), 0);        // the first switch flash
    EXPECT_NEAR(rig.director.currentPosition, 0.7f, 0.0002f); // the forced cut's start, moved on 1 ms
}

TEST(PieceTwoTimeline, SwitchFlashesAreForcedCutsAndTheSecondBurstEndsVisible) {
    TimelineRig rig;
    for (int32_t k = 0; k < PieceTwoTimeline::switchCount - 1; ++k) {
        const int32_t at = PieceTwoTimeline::switchTimes[k];
        rig.frameAt(at - 1);
        const int32_t cursor = rig.director.getCutCursor();
        rig.frameAt(at);
        EXPECT_EQ(rig.timeline.areClipsVisible(), k % 2 == 0) << at;
        EXPECT_GT(rig.director.getCutCursor(), cursor) << at;
    }
    EXPECT_TRUE(rig.timeline.areClipsVisible()); // from 92821 on
}

TEST(PieceTwoTimeline, FramesAtTheGroupEdgesDrawWhatTheirGroupDraws) {
    // At 66171 the threshold starts; at 92197 the clips go black; 92287 to 92325 they show the band.
    TimelineRig rig;
    auto frameBuffer = whiteStore();
    for (int32_t ms = 0; ms <= 66171; ms += ms < 66000 ? 500 : 171)
        rig.frameAt(ms);
    EXPECT_EQ(rig.tracks.envelope.getStartTime(), 66171); // the threshold group's first frame
    for (int32_t ms = 66500; ms < 92197; ms += 500)
        rig.frameAt(ms);
    rig.frameAt(92197, frameBuffer.get());
    EXPECT_TRUE(linesBlack(frameBuffer.get(), 0));
    const BandValues band = rig.timeline.getBand();
    frameBuffer = whiteStore();
    rig.frameAt(92287, frameBuffer.get());
    // White through the band filter: grey in the band lines, black elsewhere.
    for (int32_t y = 0; y < 240; ++y) {
        const bool inBand = y >= band.centre - 1 + band.above && y < band.centre + 1 + band.below;
        EXPECT_EQ(frameBuffer->getPixels32()[y * 1280 + 3] != 0, inBand) << y;
    }
}

TEST(PieceTwoTimeline, WindowZeroLoopsTheClipsAndWindowThreeTurnsThemRound) {
    TimelineRig rig;
    for (int32_t ms = 0; ms <= 26625; ms += 25) {
        rig.frameAt(ms);
        if (ms > 9500 && ms < 10300) {
            EXPECT_EQ(rig.director.looping, ms >= 9575 && ms <= 10186) << ms;
        }
        EXPECT_EQ(mirrorClips, ms >= 26128 && ms <= 26615) << ms;
    }
    EXPECT_EQ(rig.timeline.getWindowCursor(), 4);
}

TEST(PieceTwoTimeline, EndsOnTheFrameAfterTheFirstStepPast140Seconds) {
    TimelineRig rig;
    for (int32_t ms = 0; ms <= 140000; ms += 50)
        EXPECT_EQ(rig.frameAt(ms), 0) << ms;
    EXPECT_EQ(rig.frameAt(140001), 1);
    EXPECT_EQ(rig.frameAt(140015), -1);
}

} // namespace
