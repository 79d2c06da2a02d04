// Piece one's pixel effects on small stores inside guard zones: nothing written outside the store
// or the box, the clamps, and the beats' timing.
#include "PieceOneTestSupport.h"

#include "pieces/one/BeatBars.h"
#include "pieces/one/BeatTables.h"
#include "pieces/one/ClipBox.h"
#include "pieces/one/MirrorBlocks.h"
#include "pieces/one/RowJitter.h"
#include "pieces/one/Streaks.h"
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

using PieceOneTest::GuardedStore;

namespace {
// The starting value of pixel (x, y) in a GuardedStore of the given width.
uint32_t px(int32_t x, int32_t y, int32_t width) { return uint32_t(y * width + x); }
} // namespace

TEST(PieceOneMirror, MirrorRowsExchangesAroundTheCentreInEveryRowIncludingTheLast) {
    GuardedStore s(8, 4);
    mirrorRows(s.store, 1, 0, 6, 1); // columns 1..5, rows 0 and 1
    for (int32_t y = 0; y <= 1; ++y) {
        EXPECT_EQ(s.at(1, y), px(5, y, 8));
        EXPECT_EQ(s.at(3, y), px(3, y, 8)); // the middle of an odd width stays
        EXPECT_EQ(s.at(6, y), px(6, y, 8));
    }
    EXPECT_EQ(s.at(1, 2), px(1, 2, 8));
    mirrorRows(s.store, 2, 3, 3, 3); // one column: nothing to exchange
    mirrorRows(s.store, 4, 3, 7, 3); // three columns: only the outer pair
    EXPECT_EQ(s.at(2, 3), px(2, 3, 8));
    EXPECT_EQ(s.at(4, 3), px(6, 3, 8));
    EXPECT_EQ(s.at(5, 3), px(5, 3, 8));
}

TEST(PieceOneMirror, EffectsReachingPastTheStoreStayInsideIt) {
    GuardedStore s(40, 30); // a store smaller than the box: boxTop is -105
    mirrorRows(s.store, -4, -2, 50, 40);
    flipColumns(s.store, -1, -3, 47, 35);
    flipTriangle(s.store, 3, 1, 72);
    darkenColumn(s.store, 39, -5, 40, 128); // the right edge: nothing wraps into the next row
    RowJitter().jitterRows(s.store, -105, 250);
    EXPECT_TRUE(s.guardsIntact());
    for (int64_t i = 0; i < s.store.size(); ++i) ASSERT_LT(s.store.pixels[i], uint32_t(s.store.size()));
}

TEST(PieceOneBlocks, BlocksAreClippedToTheBoxAndSwitchOnOneByOne) {
    auto fb = PieceOneTest::makeFrameBuffer();
    ClipBox box(fb.get());
    EXPECT_EQ(box.left(), 160);
    EXPECT_EQ(box.top(), 120);
    MirrorBlocks blocks;
    blocks.buildBlocks(box);
    ASSERT_EQ(blocks.getBlocks().size(), 15u);
    EXPECT_EQ(blocks.getBlocks()[7].x1, 480.0f); // L + 340 clipped to R

    GuardedStore s(640, 480);
    blocks.drawBlocks(s.store, false);
    EXPECT_EQ(s.at(160, 120), px(160, 120, 640)); // no event yet: nothing applies
    blocks.drawBlocks(s.store, true);             // block 1 mirrors rows T .. T + 100
    EXPECT_EQ(s.at(160, 120), px(479, 120, 640));
    EXPECT_EQ(s.at(160, 220), px(479, 220, 640));
    EXPECT_EQ(s.at(160, 221), px(160, 221, 640));
    for (int i = 0; i < 20; ++i) blocks.drawBlocks(s.store, true);
    EXPECT_EQ(blocks.getBlockCount(), 21); // counts on; all 15 apply
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
    for (int64_t i = 0; i < s.store.size(); ++i) s.store.pixels[i] = 0x00FFFFFFu;
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
    bars.drawBars(s.store, true, 1000);
    bars.drawBars(s.store, true, 1300);
    bars.drawBars(s.store, false, 1500);
    bars.drawBars(s.store, true, 1900); // 600 ms after the last beat
    EXPECT_EQ(bars.getSlots()[0].x, 160);
    EXPECT_EQ(bars.getSlots()[1].x, 170);
    EXPECT_EQ(bars.getSlots()[2].x, 160);

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
    int live = 0;
    for (const BarSlot& slot : bars.getSlots()) live += slot.life > 0.0f;
    EXPECT_EQ(live, 128);
    EXPECT_EQ(bars.getSpawnX(), 160 + 128 * 10); // the dropped beat placed nothing
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 150; ++x) ASSERT_EQ(s.at(x, y), px(x, y, 640)) << x << "," << y;
}

TEST(PieceOneBars, EveryBurstOfTheBeatTableStaysOnTheFrame) {
    // After a pause of over 500 ms bars restart at x 160; each event moves 10 right; bars are 5 wide.
    int32_t burst = 0, longest = 0, last = -1000;
    for (const int32_t* t = BeatTables::barEvents; *t >= 0; last = *t++) {
        burst = *t - last > 500 ? 1 : burst + 1;
        longest = std::max(longest, burst);
    }
    EXPECT_LE(160 + (longest - 1) * 10 + 2, 639);
}

TEST(PieceOneStreaks, AStreakShowsClipColoursAboveAndBelowTheBoxThenFadesAway) {
    std::vector<uint8_t> frame(320 * 240 * 3);
    for (size_t i = 0; i < 320 * 3; i += 3) frame[i] = 0x30, frame[i + 1] = 0x20, frame[i + 2] = 0x10; // row 0
    ShowRandom::seed(1);
    GuardedStore s(640, 480);
    for (int64_t i = 0; i < s.store.size(); ++i) s.store.pixels[i] = 0;
    Streaks streaks(120);
    streaks.drawStreaks(s.store, false, 4990, frame.data(), 320 * 240); // the frame before the beat
    streaks.drawStreaks(s.store, true, 5000, frame.data(), 320 * 240);
    ASSERT_EQ(streaks.getStreaks().size(), 1u);
    const Streak& streak = *streaks.getStreaks()[0];
    EXPECT_TRUE(streak.x >= 160 && streak.x < 480 && streak.y0 < 50 && streak.y1 > 429);
    ASSERT_EQ(streak.colours.size(), size_t(streak.y1 - streak.y0));
    int64_t drawnPixels = 0;
    for (int64_t i = 0; i < s.store.size(); ++i) drawnPixels += s.store.pixels[i] != 0;
    EXPECT_EQ(drawnPixels, int64_t(120 - streak.y0 + streak.y1 - 360));
    for (int32_t y = 0; y < 480; ++y) {
        bool drawn = (y >= streak.y0 && y < 120) || (y >= 360 && y < streak.y1);
        ASSERT_EQ(s.at(streak.x, y), drawn ? 0x00102030u : 0u) << y; // fade 0 on the first frame
    }

    // Later frames darken it more and more; it is freed 7650 ms after the frame before it.
    int32_t x = streak.x;
    streaks.drawStreaks(s.store, false, 5600, frame.data(), 320 * 240);
    streaks.drawStreaks(s.store, false, 6200, frame.data(), 320 * 240);
    EXPECT_LT(s.at(x, 100), 0x00102030u);
    streaks.drawStreaks(s.store, false, 12630, frame.data(), 320 * 240);
    EXPECT_NE(streaks.getStreaks()[0], nullptr);
    streaks.drawStreaks(s.store, false, 12650, frame.data(), 320 * 240);
    EXPECT_EQ(streaks.getStreaks()[0], nullptr);

    // A store too narrow for the streak columns spawns none; a short one draws safely.
    GuardedStore narrow(300, 40), low(400, 30);
    Streaks none(-100), shortStreaks(-105);
    none.drawStreaks(narrow.store, true, 100, nullptr, 0);
    EXPECT_TRUE(none.getStreaks().empty());
    for (int i = 0; i < 20; ++i) shortStreaks.drawStreaks(low.store, true, 100 + i, nullptr, 0);
    EXPECT_TRUE(low.guardsIntact());
}
