// Piece one's pixel effects on small stores inside guard zones: nothing written outside the store
// or the box, the clamps, and the beats' timing.
#include "PieceOneTestSupport.h"

#include "pieces/one/BeatBars.h"
#include "pieces/one/ClipBox.h"
#include "pieces/one/MirrorBlocks.h"
#include "pieces/one/RowJitter.h"
#include "pieces/one/Streaks.h"
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

using PieceOneTest::GuardedStore;

TEST(PieceOneMirror, MirrorRowsReversesTheColumnsOfEveryRowIncludingTheLast) {
    GuardedStore s(8, 4);
    mirrorRows(s.store, 1, 0, 6, 1); // columns 1 .. 5 of rows 0 and 1: the middle one stays
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 8; ++x) {
            const bool inside = y <= 1 && x >= 1 && x < 6;
            ASSERT_EQ(s.at(x, y), s.initial(inside ? 6 - x : x, y)) << x << "," << y;
        }
}

TEST(PieceOneMirror, EffectsReachingPastTheStoreStayInsideIt) {
    GuardedStore s(40, 30); // a store smaller than the box: boxTop is -105
    mirrorRows(s.store, -4, -2, 50, 40);
    flipColumns(s.store, -1, -3, 47, 35);
    flipTriangle(s.store, 3, 1, 72);
    darkenColumn(s.store, 39, -5, 40, 128); // the right edge: nothing wraps into the next row
    RowJitter().jitterRows(s.store, -105, 250);
    GuardedStore low(400, 30); // streaks spawn only in stores over 320 wide; a low one leaves them no rows
    Streaks streaks(-105);
    for (int i = 0; i < 20; ++i) streaks.drawStreaks(low.store, true, 100 + i, nullptr, 0);
    EXPECT_TRUE(s.guardsIntact() && low.guardsIntact());
    for (int64_t i = 0; i < s.store.size(); ++i) ASSERT_LT(s.store.pixels[i], uint32_t(s.store.size()));
}

TEST(PieceOneBlocks, BlocksAreClippedToTheBoxAndSwitchOnOneByOne) {
    auto fb = PieceOneTest::makeFrameBuffer();
    ClipBox box(fb.get());
    MirrorBlocks blocks;
    blocks.buildBlocks(box);
    GuardedStore s(640, 480);
    blocks.drawBlocks(s.store, true); // block 1 mirrors rows T .. T + 100
    EXPECT_EQ(s.at(160, 220), s.initial(479, 220));
    EXPECT_EQ(s.at(160, 221), s.initial(160, 221));
    // All 15 on: blocks reaching past the box (L + 340) are clipped to it, its edges R and B included.
    for (int i = 0; i < 20; ++i) blocks.drawBlocks(s.store, true);
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x)
            if (x < 160 || x > 480 || y < 120 || y > 360) {
                ASSERT_EQ(s.at(x, y), s.initial(x, y)) << x << "," << y;
            }
}

TEST(PieceOneJitter, TheGeneratorStaysNonNegativeAndSmallAmplitudesLeaveTheRows) {
    RowJitter jitter;
    for (int32_t value : {853, 426, 603979989}) EXPECT_EQ(jitter.nextJitter(), value);
    for (int i = 0; i < 100000; ++i) ASSERT_GE(jitter.nextJitter(), 0);

    GuardedStore keep(16, 4);
    for (int32_t amplitude : {1, 0, -7}) jitter.jitterRows(keep.store, 0, amplitude);
    for (int64_t i = 0; i < keep.store.size(); ++i) ASSERT_EQ(keep.store.pixels[i], uint32_t(i));
}

TEST(PieceOneBars, DarkeningClampsAndSoftensTheEdges) {
    EXPECT_EQ(darkenPixel(0xAB1480FFu, 128), 0xAB00007Fu); // 20 becomes 0; the fourth byte stays
    EXPECT_EQ(darkenPixel(0x00102030u, -300), 0x00FFFFFFu);

    GuardedStore s(640, 480);
    s.fill(0x00FFFFFFu);
    BeatBars bars;
    bars.reset(160, 120);
    bars.drawBars(s.store, true, 700); // life 128 over the box and five rows below it
    EXPECT_EQ(s.at(160, 120), 0x007F7F7Fu);
    EXPECT_EQ(s.at(163, 300), 0x00FFFFFFu);
    EXPECT_EQ(s.at(160, 119) & s.at(160, 365), 0x00FFFFFFu); // above and five rows below: untouched
}

TEST(PieceOneBars, BeatsStepRightRestartAfterAPauseAndFade) {
    GuardedStore s(640, 480);
    BeatBars bars;
    bars.reset(160, 120);
    // Beats at 1000 and 1300, a frame at 1500, a beat 600 ms after the last.
    for (auto [beat, ms] : {std::pair{true, 1000}, {true, 1300}, {false, 1500}, {true, 1900}})
        bars.drawBars(s.store, beat, ms);
    for (auto [slot, x] : {std::pair{0, 160}, {1, 170}, {2, 160}}) EXPECT_EQ(bars.getSlots()[slot].x, x) << slot;

    // 128 at 0.05 per ms: gone 2560 ms after the frame before its beat (1500).
    bars.drawBars(s.store, false, 4040);
    EXPECT_GT(bars.getSlots()[2].life, 0.0f);
    bars.drawBars(s.store, false, 4080);
    EXPECT_LE(bars.getSlots()[2].life, 0.0f);
}

TEST(PieceOneBars, BeatsBeyondAllSlotsAreDroppedAndBarsPastTheEdgeDrawNothing) {
    GuardedStore s(640, 480);
    BeatBars bars;
    bars.reset(160, 120);
    for (int32_t i = 0; i < 129; ++i) bars.drawBars(s.store, true, 1000 + i);
    EXPECT_EQ(bars.getSpawnX(), 160 + 128 * 10); // the dropped beat placed nothing
    for (int32_t y = 0; y < 480; ++y) // bars past the right edge wrap into no row
        for (int32_t x = 0; x < 150; ++x) ASSERT_EQ(s.at(x, y), s.initial(x, y)) << x << "," << y;
}

TEST(PieceOneStreaks, AStreakShowsClipColoursAboveAndBelowTheBoxThenFadesAway) {
    std::vector<uint8_t> frame(320 * 240 * 3);
    for (size_t i = 0; i < 320 * 3; i += 3) frame[i] = 0x30, frame[i + 1] = 0x20, frame[i + 2] = 0x10; // row 0
    ShowRandom::seed(1);
    GuardedStore s(640, 480);
    s.fill(0);
    Streaks streaks(120);
    auto frameAt = [&](bool beat, int32_t ms) {
        streaks.drawStreaks(s.store, beat, ms, frame.data(), 320 * 240);
    };
    frameAt(false, 4990); // the frame before the beat
    frameAt(true, 5000);
    ASSERT_EQ(streaks.getStreaks().size(), 1u);
    const Streak& streak = *streaks.getStreaks()[0];
    const int32_t x = streak.x;
    EXPECT_TRUE(x >= 160 && x < 480 && streak.y0 < 50 && streak.y1 > 429);
    // One column, above and below the box, of the sampled colour at fade 0 on the first frame.
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t column = 0; column < 640; ++column) {
            const bool drawn = column == x && ((y >= streak.y0 && y < 120) || (y >= 360 && y < streak.y1));
            ASSERT_EQ(s.at(column, y), drawn ? 0x00102030u : 0u) << column << "," << y;
        }

    // Later frames darken it by the life already lost; it is freed 7650 ms after the frame before it.
    frameAt(false, 5600);
    frameAt(false, 6200);
    EXPECT_LT(s.at(x, 100), 0x00102030u);
    frameAt(false, 12630);
    EXPECT_NE(streaks.getStreaks()[0], nullptr);
    frameAt(false, 12650);
    EXPECT_EQ(streaks.getStreaks()[0], nullptr);
}
