// Piece one's beat tables: their lengths and terminators, pairs and the shape of the bar bursts.
// (Their times are held against the music's hits by the music tests and against the pictures by
// the timeline tests.)
#include "pieces/one/BeatTables.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int32_t> entries(const int32_t* table, int32_t count) {
    EXPECT_EQ(table[count], -1);
    for (int32_t i = 0; i < count; ++i) EXPECT_NE(table[i], -1) << i;
    return std::vector<int32_t>(table, table + count);
}
// Positions where an entry lies before its predecessor.
std::vector<size_t> reversals(const std::vector<int32_t>& v) {
    std::vector<size_t> at;
    for (size_t i = 1; i < v.size(); ++i)
        if (v[i] < v[i - 1]) at.push_back(i);
    return at;
}
} // namespace

TEST(PieceOneBeatTables, LengthsTerminatorsAndTheClipTimePairs) {
    auto streaks = entries(BeatTables::streakEvents, BeatTables::streakEventCount);
    auto bars = entries(BeatTables::barEvents, BeatTables::barEventCount);
    auto blocks = entries(BeatTables::blockEvents, BeatTables::blockEventCount);
    auto flicker = entries(BeatTables::flickerLevel, BeatTables::flickerLevelCount);
    EXPECT_EQ(streaks.size(), 744u);
    EXPECT_EQ(bars.size(), 801u);
    EXPECT_EQ(blocks.size(), 181u);
    EXPECT_EQ(flicker.size(), 276u);
    EXPECT_TRUE(reversals(entries(BeatTables::mirrorTable, BeatTables::mirrorTableCount)).empty());
    EXPECT_EQ(BeatTables::glitchTable[14], 10000000);
    auto clip = entries(BeatTables::clipTimeEvents, BeatTables::clipTimeEventCount);
    for (int32_t k = 0; k < 36; ++k) {
        EXPECT_EQ(clip[size_t(2 * k)], 90 + 3200 * k);
        EXPECT_EQ(clip[size_t(2 * k + 1)], 91 + 3200 * k);
    }
}

TEST(PieceOneBeatTables, PairsAndTheEntriesThatRunBackwards) {
    auto streaks = entries(BeatTables::streakEvents, BeatTables::streakEventCount);
    auto flicker = entries(BeatTables::flickerLevel, BeatTables::flickerLevelCount);
    for (auto* table : {&streaks, &flicker})
        for (size_t i = 0; i < table->size(); i += 2) ASSERT_EQ(std::abs((*table)[i + 1] - (*table)[i]), 1) << i;

    EXPECT_EQ(reversals(flicker).size(), 0u);
    auto streakBack = reversals(streaks);
    ASSERT_EQ(streakBack.size(), 1u);
    EXPECT_EQ(streaks[streakBack[0] - 1], 62982);
    EXPECT_EQ(streaks[streakBack[0]], 62981);

    auto bars = entries(BeatTables::barEvents, BeatTables::barEventCount);
    auto barBack = reversals(bars);
    ASSERT_EQ(barBack.size(), 6u);
    size_t roll = barBack[0] - 1;
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(bars[roll + i], i % 2 == 0 ? 51696 : 51695);

    auto blocks = entries(BeatTables::blockEvents, BeatTables::blockEventCount);
    for (size_t i = 1; i < blocks.size(); ++i) ASSERT_GT(blocks[i] - blocks[i - 1], 1) << i;
}

TEST(PieceOneBeatTables, EveryBarBurstStaysOnTheFrame) {
    // After a pause of over 500 ms bars restart at x 160; each event moves 10 right; bars are 5 wide.
    auto bars = entries(BeatTables::barEvents, BeatTables::barEventCount);
    int32_t burst = 0, longest = 0, last = -1000;
    for (int32_t t : bars) {
        burst = t - last > 500 ? 1 : burst + 1;
        last = t;
        longest = std::max(longest, burst);
    }
    EXPECT_LE(160 + (longest - 1) * 10 + 2, 639);
}
