// Piece one's pixel effects on small stores whose results can be checked by hand.
#include "PieceOneTestSupport.h"

#include "pieces/one/BeatBars.h"
#include "pieces/one/ClipBox.h"
#include "pieces/one/MirrorBlocks.h"
#include "pieces/one/RowJitter.h"
#include "pieces/one/Streaks.h"
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

using PieceOneTest::GuardedStore;

namespace {
std::vector<uint32_t> column(GuardedStore& s, int32_t x, int32_t y0, int32_t y1) {
    std::vector<uint32_t> values;
    for (int32_t y = y0; y <= y1; ++y) values.push_back(s.at(x, y));
    return values;
}
uint32_t px(int32_t x, int32_t y, int32_t width) { return uint32_t(y * width + x); }
} // namespace

TEST(PieceOneMirror, MirrorRowsExchangesEachRowAroundTheCentreIncludingTheLastRow) {
    GuardedStore s(8, 4);
    mirrorRows(s.store, 1, 0, 6, 1); // columns 1..5, rows 0 and 1
    for (int32_t y = 0; y <= 1; ++y) {
        EXPECT_EQ(s.at(1, y), px(5, y, 8));
        EXPECT_EQ(s.at(2, y), px(4, y, 8));
        EXPECT_EQ(s.at(3, y), px(3, y, 8)); // the middle of an odd width stays
        EXPECT_EQ(s.at(5, y), px(1, y, 8));
        EXPECT_EQ(s.at(0, y), px(0, y, 8));
        EXPECT_EQ(s.at(6, y), px(6, y, 8));
    }
    EXPECT_EQ(s.at(1, 2), px(1, 2, 8));

    GuardedStore narrow(8, 2);
    mirrorRows(narrow.store, 2, 0, 3, 1); // one column: nothing to exchange
    mirrorRows(narrow.store, 4, 0, 7, 0); // three columns: only the outer pair
    EXPECT_EQ(narrow.at(2, 0), px(2, 0, 8));
    EXPECT_EQ(narrow.at(4, 0), px(6, 0, 8));
    EXPECT_EQ(narrow.at(5, 0), px(5, 0, 8));
    EXPECT_EQ(narrow.at(6, 0), px(4, 0, 8));
}

TEST(PieceOneMirror, RectanglesReachingPastTheStoreStayInsideIt) {
    GuardedStore s(6, 3);
    mirrorRows(s.store, -4, -2, 10, 3);
    flipColumns(s.store, -1, -3, 7, 5);
    flipTriangle(s.store, 3, 1, 12);
    EXPECT_TRUE(s.guardsIntact());
    // Only whole-store rows were mirrored: row 0 is row 0 reversed.
    GuardedStore t(6, 3);
    mirrorRows(t.store, -4, -2, 10, 0);
    EXPECT_EQ(t.at(0, 0), px(5, 0, 6));
    EXPECT_EQ(t.at(0, 1), px(0, 1, 6));
}

TEST(PieceOneBlocks, FlipColumnsTurnsEachColumnUpsideDown) {
    GuardedStore odd(3, 6);
    flipColumns(odd.store, 0, 0, 1, 4); // rows 0..4 of columns 0 and 1
    for (int32_t x = 0; x <= 1; ++x)
        EXPECT_EQ(column(odd, x, 0, 5), (std::vector<uint32_t>{px(x, 4, 3), px(x, 3, 3), px(x, 2, 3),
                                                               px(x, 1, 3), px(x, 0, 3), px(x, 5, 3)}));
    EXPECT_EQ(odd.at(2, 0), px(2, 0, 3)); // past x1

    GuardedStore even(2, 4);
    flipColumns(even.store, 0, 0, 0, 3);
    EXPECT_EQ(column(even, 0, 0, 3), (std::vector<uint32_t>{px(0, 3, 2), px(0, 2, 2), px(0, 1, 2), px(0, 0, 2)}));

    GuardedStore reversed(2, 4);
    flipColumns(reversed.store, 1, 0, 0, 3); // x0 > x1: nothing
    EXPECT_EQ(reversed.at(0, 0), 0u);
}

TEST(PieceOneBlocks, FlipTriangleShrinksTheSpanColumnByColumn) {
    GuardedStore s(6, 7);
    flipTriangle(s.store, 0, 0, 5); // span 5 in column 0, 4 in column 1, ... 1 in column 4
    const int32_t w = 6;
    EXPECT_EQ(column(s, 0, 0, 6), (std::vector<uint32_t>{px(0, 5, w), px(0, 4, w), px(0, 2, w), px(0, 3, w),
                                                         px(0, 1, w), px(0, 0, w), px(0, 6, w)}));
    EXPECT_EQ(column(s, 1, 0, 5), (std::vector<uint32_t>{px(1, 4, w), px(1, 3, w), px(1, 2, w), px(1, 1, w),
                                                         px(1, 0, w), px(1, 5, w)}));
    EXPECT_EQ(s.at(4, 0), px(4, 0, w)); // span 1: nothing to exchange
    EXPECT_EQ(s.at(5, 0), px(5, 0, w));
}

TEST(PieceOneBlocks, BlockListIsClippedToTheBoxAndAppliedInOrder) {
    auto fb = PieceOneTest::makeFrameBuffer();
    ClipBox box(fb.get());
    EXPECT_EQ(box.left(), 160);
    EXPECT_EQ(box.top(), 120);
    MirrorBlocks blocks;
    blocks.buildBlocks(box);
    ASSERT_EQ(blocks.getBlocks().size(), 15u);
    const MirrorBlock& eighth = blocks.getBlocks()[7];
    EXPECT_EQ(eighth.x0, 360.0f);
    EXPECT_EQ(eighth.x1, 480.0f); // L + 340 clipped to R
    EXPECT_EQ(blocks.getBlocks()[6].kind, MirrorBlock::triangle);

    // No event: nothing applies. Three events: blocks 1, 2 and 3 in that order.
    GuardedStore none(640, 480);
    blocks.drawBlocks(none.store, false);
    EXPECT_EQ(none.at(160, 120), px(160, 120, 640));

    GuardedStore three(640, 480), expected(640, 480);
    for (int i = 0; i < 3; ++i) blocks.drawBlocks(three.store, true);
    // The last frame applied all three; apply the same three by hand to a copy three times.
    for (int frame = 0; frame < 3; ++frame)
        for (int32_t i = 0; i <= frame; ++i) blocks.getBlocks()[size_t(i)].apply(expected.store);
    EXPECT_EQ(three.block, expected.block);
    EXPECT_EQ(blocks.getBlockCount(), 3);
    blocks.reset();
    EXPECT_EQ(blocks.getBlockCount(), 0);
}

TEST(PieceOneJitter, GeneratorStartsWithItsKnownValues) {
    RowJitter jitter;
    EXPECT_EQ(jitter.nextJitter(), 853);
    EXPECT_EQ(jitter.getSeed(), 819);
    EXPECT_EQ(jitter.nextJitter(), 426);
    EXPECT_EQ(jitter.getSeed(), 1073742233);
    EXPECT_EQ(jitter.nextJitter(), 603979989);
    for (int i = 0; i < 100000; ++i) ASSERT_GE(jitter.nextJitter(), 0);
}

TEST(PieceOneJitter, SmallAmplitudesKeepOrTakeTheLeftNeighbour) {
    GuardedStore keep(16, 4);
    RowJitter jitter;
    jitter.jitterRows(keep.store, 0, 1); // offsets always 0
    jitter.jitterRows(keep.store, 0, 0);
    jitter.jitterRows(keep.store, 0, -7);
    for (int64_t i = 0; i < keep.store.size(); ++i) ASSERT_EQ(keep.store.pixels[i], uint32_t(i));

    GuardedStore s(16, 3);
    RowJitter twos;
    twos.shuffleRow(s.store, 1, 0, 16, 2, -1);
    // Each pixel is its own value or its left neighbour's as already rewritten.
    uint32_t left = px(15, 0, 16); // pixel 0 reads back into the row above
    int taken = 0;
    for (int32_t x = 0; x < 16; ++x) {
        uint32_t v = s.at(x, 1);
        EXPECT_TRUE(v == px(x, 1, 16) || v == left) << x;
        taken += v != px(x, 1, 16);
        left = v;
    }
    EXPECT_GT(taken, 0);
    EXPECT_EQ(s.at(3, 0), px(3, 0, 16)); // other rows are only read
}

TEST(PieceOneJitter, LargeAmplitudesOnSmallStoresReadOnlyInsideTheStore) {
    GuardedStore s(40, 30); // the box rows run from -105 to 135 here
    RowJitter jitter;
    jitter.jitterRows(s.store, -105, 250);
    EXPECT_TRUE(s.guardsIntact());
    for (int64_t i = 0; i < s.store.size(); ++i) ASSERT_LT(s.store.pixels[i], uint32_t(s.store.size()));
}

TEST(PieceOneBars, DarkeningClampsEachChannelAndKeepsTheFourthByte) {
    EXPECT_EQ(darkenPixel(0xAB1480FFu, 128), 0xAB00007Fu);
    EXPECT_EQ(darkenPixel(0x00102030u, 0), 0x00102030u);
    EXPECT_EQ(darkenPixel(0x00102030u, -300), 0x00FFFFFFu);

    GuardedStore s(10, 4);
    for (int64_t i = 0; i < s.store.size(); ++i) s.store.pixels[i] = 0x00C8C8C8u; // 200 each
    darkenColumn(s.store, 4, 1, 3, 128);
    for (int32_t y = 0; y < 4; ++y) {
        bool lit = y >= 1 && y < 3;
        EXPECT_EQ(s.at(4, y), lit ? 0x00484848u : 0x00C8C8C8u);         // 200 - 128
        EXPECT_EQ(s.at(3, y), lit ? 0x00888888u : 0x00C8C8C8u);         // 200 - 64
        EXPECT_EQ(s.at(5, y), lit ? 0x00888888u : 0x00C8C8C8u);
        EXPECT_EQ(s.at(2, y), lit ? 0x00A8A8A8u : 0x00C8C8C8u);         // 200 - 32
        EXPECT_EQ(s.at(6, y), lit ? 0x00A8A8A8u : 0x00C8C8C8u);
        EXPECT_EQ(s.at(1, y), 0x00C8C8C8u);
    }
    darkenColumn(s.store, 9, 0, 4, 128); // the right edge: nothing wraps into the next row
    darkenColumn(s.store, 0, -5, 9, 128);
    EXPECT_TRUE(s.guardsIntact());
    EXPECT_EQ(s.at(0, 1), 0x00484848u);
    EXPECT_EQ(s.at(1, 1), 0x00888888u);
    EXPECT_EQ(s.at(2, 1), 0x00888888u); // darkened by both columns
    EXPECT_EQ(s.at(9, 1), 0x00484848u);
}

TEST(PieceOneBars, BeatsStepTenPixelsRightAndRestartAfterAPause) {
    GuardedStore s(640, 480);
    BeatBars bars;
    bars.reset(160, 120);
    bars.drawBars(s.store, true, 1000);
    bars.drawBars(s.store, true, 1300);
    bars.drawBars(s.store, false, 1500);
    bars.drawBars(s.store, true, 1900); // 600 ms after the last beat
    const auto& slots = bars.getSlots();
    EXPECT_EQ(slots[0].x, 160);
    EXPECT_EQ(slots[1].x, 170);
    EXPECT_EQ(slots[2].x, 160);
    EXPECT_EQ(bars.getSpawnX(), 170);
    EXPECT_EQ(slots[3].life, 0.0f);

    // A bar lives 2560 ms: 128 at 0.05 per ms.
    BeatBars one;
    one.reset(160, 120);
    one.drawBars(s.store, false, 9990);
    one.drawBars(s.store, true, 10000);
    one.drawBars(s.store, false, 12540);
    EXPECT_GT(one.getSlots()[0].life, 0.0f);
    one.drawBars(s.store, false, 12560);
    EXPECT_LE(one.getSlots()[0].life, 0.0f);
}

TEST(PieceOneBars, ABarDarkensTheBoxAndFiveRowsBelowIt) {
    GuardedStore s(640, 480);
    for (int64_t i = 0; i < s.store.size(); ++i) s.store.pixels[i] = 0x00FFFFFFu;
    BeatBars bars;
    bars.reset(160, 120);
    bars.drawBars(s.store, true, 700);
    EXPECT_EQ(s.at(160, 119), 0x00FFFFFFu);
    EXPECT_EQ(s.at(160, 120), 0x007F7F7Fu);
    EXPECT_EQ(s.at(161, 364), 0x00BFBFBFu);
    EXPECT_EQ(s.at(162, 300), 0x00DFDFDFu);
    EXPECT_EQ(s.at(160, 365), 0x00FFFFFFu);
}

TEST(PieceOneBars, BeatsBeyondAllSlotsAreDropped) {
    GuardedStore s(640, 480);
    BeatBars bars;
    bars.reset(160, 120);
    for (int32_t i = 0; i < 129; ++i) bars.drawBars(s.store, true, 1000 + i);
    int live = 0;
    for (const BarSlot& slot : bars.getSlots()) live += slot.life > 0.0f;
    EXPECT_EQ(live, 128);
    EXPECT_EQ(bars.getSpawnX(), 160 + 128 * 10); // the dropped beat placed nothing
    EXPECT_TRUE(s.guardsIntact()); // bars past the right edge draw nothing, nor wrap a row down
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 150; ++x) ASSERT_EQ(s.at(x, y), px(x, y, 640)) << x << "," << y;
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
    EXPECT_GE(streak.x, 160);
    EXPECT_LT(streak.x, 480);
    EXPECT_LT(streak.y0, 50);
    EXPECT_GT(streak.y1, 429);
    ASSERT_EQ(streak.colours.size(), size_t(streak.y1 - streak.y0));
    for (int32_t y = 0; y < 480; ++y) {
        bool drawn = (y >= streak.y0 && y < 120) || (y >= 360 && y < streak.y1);
        ASSERT_EQ(s.at(streak.x, y), drawn ? 0x00102030u : 0u) << y; // fade 0 on the first frame
    }
    int64_t others = 0;
    for (int64_t i = 0; i < s.store.size(); ++i) others += s.store.pixels[i] != 0;
    EXPECT_EQ(others, int64_t(120 - streak.y0 + streak.y1 - 360));

    // Later frames darken the stored colours more and more; the streak is freed once 7650 ms
    // have passed since the frame before it.
    int32_t x = streak.x;
    streaks.drawStreaks(s.store, false, 5600, frame.data(), 320 * 240);
    streaks.drawStreaks(s.store, false, 6200, frame.data(), 320 * 240);
    EXPECT_LT(s.at(x, 100), 0x00102030u);
    streaks.drawStreaks(s.store, false, 12630, frame.data(), 320 * 240);
    EXPECT_NE(streaks.getStreaks()[0], nullptr);
    streaks.drawStreaks(s.store, false, 12650, frame.data(), 320 * 240);
    EXPECT_EQ(streaks.getStreaks()[0], nullptr);
}

TEST(PieceOneStreaks, NarrowOrShortStoresAndMissingFramesAreSafe) {
    ShowRandom::seed(1);
    GuardedStore narrow(300, 40);
    Streaks streaks(-100);
    streaks.drawStreaks(narrow.store, true, 100, nullptr, 0);
    EXPECT_TRUE(streaks.getStreaks().empty()); // no columns to choose from
    GuardedStore shortStore(400, 30);
    Streaks low(-105);
    for (int i = 0; i < 20; ++i) low.drawStreaks(shortStore.store, true, 100 + i, nullptr, 0);
    EXPECT_TRUE(shortStore.guardsIntact());
}
