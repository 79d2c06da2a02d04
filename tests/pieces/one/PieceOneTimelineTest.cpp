// Piece one's timeline: what each part shows when, driven by the beat tables through the
// scene manager, with the show clock set by hand and a clip made in memory.
#include "PieceOneTestSupport.h"

#include "animation/SceneManager.h"
#include "pieces/one/BeatTables.h"
#include "pieces/one/PartClock.h"
#include "pieces/one/PieceOneScene.h"
#include "platform/ShowRandom.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

using PieceOneTest::SyntheticClip;

namespace {

struct SceneFixture {
    SceneFixture() : fb(PieceOneTest::makeFrameBuffer()) {
        ShowRandom::seed(1);
        clock.setTimeMs(0);
        scene = std::make_unique<PieceOneScene>(fb.get(), manager, drawFlickerEnvelopes());
        scene->setClip(&clip);
    }
    PixelStore store() { return PixelStore::of(fb.get()); }
    bool boxIsBlack() {
        PixelStore s = store();
        return std::all_of(s.pixels, s.pixels + s.size(), [](uint32_t pixel) { return pixel == 0; });
    }
    void at(int32_t ms) { clock.setTimeMs(ms); }
    void opening(int32_t ms) {
        at(ms);
        scene->drawOpeningFrame(clock.getElapsedMs(), clock.getTime());
    }

    Timer clock;
    std::unique_ptr<FrameBuffer> fb;
    SceneManager manager;
    SyntheticClip clip;
    std::unique_ptr<PieceOneScene> scene;
};

} // namespace

TEST(PieceOneTimeline, OpeningHidesTheClipUntil3700msThenSlidesItIntoTheBox) {
    SceneFixture f;
    for (int32_t t = 0; t <= 3680; t += 20) {
        f.opening(t);
        ASSERT_TRUE(f.boxIsBlack()) << t;
    }
    f.opening(3704); // 262.98 units, 1 whole unit after the frame at 3680 ms (261.28)
    EXPECT_TRUE(f.boxIsBlack());
    f.opening(3720); // 264.12 units: 2 more at 20 pixels per unit
    f.opening(3740);
    PixelStore s = f.store();
    EXPECT_EQ(s.at(159, 130), 0u); // the margin stays black
    EXPECT_EQ(s.at(160, 130), SyntheticClip::colourAt(0, 210, 10));
    for (int32_t t = 3760; t <= 4040; t += 20)
        f.opening(t); // the slide reaches the box
    EXPECT_EQ(f.store().at(160, 120), SyntheticClip::colourAt(0, 0, 0));
    EXPECT_EQ(f.store().at(479, 359), SyntheticClip::colourAt(0, 319, 239));
}

TEST(PieceOneTimeline, MainPartSwitchesBlocksAndTheBoxMirrorOnTheirTables) {
    SceneFixture f;
    f.scene->buildClipTime();
    int32_t firstMirrored = -1, firstUnmirrored = -1, firstBlock = -1;
    for (int32_t t = 0; t <= 21000; t += 25) {
        f.at(t);
        f.scene->drawMainFrame(t);
        int32_t blocks = f.scene->getBlocks().getBlockCount();
        if (blocks > 0 && firstBlock < 0) firstBlock = t;
        if (!f.scene->isMirrorOff() && firstMirrored < 0) firstMirrored = t;
        if (firstMirrored >= 0 && f.scene->isMirrorOff() && firstUnmirrored < 0) firstUnmirrored = t;
        if (t == 18575) { EXPECT_GE(blocks, 5); }
        if (t == 18600) { EXPECT_EQ(blocks, 0); } // every mirror switch turns the blocks off
        // The pair 90, 91 fires on the frames at 100 and 125 ms: 300 + 2700 x 1450 / 3000.
        if (t == 1575) { EXPECT_EQ(f.clip.lastTime, 1605); }
    }
    EXPECT_EQ(firstBlock, 12825);
    EXPECT_EQ(firstMirrored, 18600);
    EXPECT_EQ(firstUnmirrored, 20300);
}

TEST(PieceOneTimeline, ClosingShowsSevenGrowingBurstsOnBlack) {
    SceneFixture f;
    std::vector<std::pair<int32_t, int32_t>> bursts;
    bool previous = false;
    for (int32_t t = 0; t < 14000; t += 10) {
        f.at(t);
        f.scene->drawClosingFrame(t);
        bool shown = !f.boxIsBlack();
        if (shown && !previous) bursts.push_back({t, t});
        if (shown) bursts.back().second = t;
        previous = shown;
    }
    const std::vector<std::pair<int32_t, int32_t>> expected = {{2410, 2560}, {3910, 4040},  {4800, 5060},
                                                               {6720, 6800}, {8660, 8790},  {10480, 10790},
                                                               {12460, 13990}};
    EXPECT_EQ(bursts, expected);
    EXPECT_EQ(f.scene->getGlitchRange(), 5 + 6 * 25);
}

TEST(PieceOneTimeline, EveryTableEntryReachesItsSequenceOncePerFrame) {
    SceneManager manager;
    ShowRandom::seed(1);
    PieceOneSequences sequences(manager);
    sequences.buildFlickerLevel(drawFlickerEnvelopes());
    sequences.buildStreakEvents();
    sequences.buildBarEvents();
    sequences.buildBlockEvents();
    int32_t streaks = 0, bars = 0, blocks = 0;
    for (int32_t t = 0; t <= 115000; ++t) {
        manager.update(t);
        streaks += sequences.streakEvents.takeChanged();
        bars += sequences.barEvents.takeChanged();
        blocks += sequences.blockEvents.takeChanged();
        int32_t level = sequences.flickerLevel.value(t);
        if (t < 61000) { ASSERT_EQ(level, 0) << t; }
        if (t == 64501) { EXPECT_EQ(level, 3); }   // the slow rise, 3500 ms after its second event
        if (t == 65655) { EXPECT_EQ(level, 44); }  // the first envelope: 41 mod 50 + 3
        if (t == 100000) { EXPECT_EQ(level, 250); } // the swell at its full height
    }
    EXPECT_EQ(streaks, BeatTables::streakEventCount);
    EXPECT_EQ(bars, BeatTables::barEventCount);
    EXPECT_EQ(blocks, BeatTables::blockEventCount);
}

TEST(PieceOneTimeline, RenderedFramesAreDrawnAtWholeUnitsAndReachOneHundredPercent) {
    Timer timer;
    PartClock clock(timer, true, 25);
    for (int part = 0; part < 2; ++part) { // a new part starts again at frame 0, time 0
        clock.beginPart();
        std::vector<int32_t> drawnAt;
        for (int32_t frame = 0; frame < 5; ++frame) {
            clock.advance();
            drawnAt.push_back(timer.getTime());
            clock.frameWritten(8165.0f);
        }
        EXPECT_EQ(drawnAt, (std::vector<int32_t>{0, 0, 2, 5, 8}));
    }
    // The main part's last frame, 2875, is exactly 8165 units: 100, not 99.
    EXPECT_EQ(PartClock::progressAt(PartClock::frameTimeAt(25.0f, 2874), 8165.0f), 99);
    EXPECT_EQ(PartClock::progressAt(PartClock::frameTimeAt(25.0f, 2875), 8165.0f), 100);
}
