// The cross-fade product table and the roll track: contents, counts, grid and first/last keys.
#include "media/ProductTable.h"
#include "pieces/two/RollTrack.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

TEST(ProductTable, EveryEntryIsTheScaledByte) {
    const uint8_t* table = productTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, productTable()); // built once
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; ++j) ASSERT_EQ(table[i * 256 + j], i * j / 255) << i << " x " << j;
    for (int j = 0; j < 256; ++j) {
        EXPECT_EQ(table[255 * 256 + j], j); // identity row
        EXPECT_EQ(table[j], 0);             // row 0
    }
    EXPECT_EQ(table[128 * 256 + 255], 128);
    EXPECT_EQ(table[128 * 256 + 1], 0);
}

TEST(RollTrack, KeysHaveTheStatedCountsGridAndEnds) {
    const IntTrack& track = rollTrack();
    EXPECT_EQ(&track, &rollTrack()); // a second build leaves it as it is
    const std::vector<TrackKey>& keys = track.keys();
    ASSERT_EQ(keys.size(), 779u);
    EXPECT_TRUE(track.isStarted());
    EXPECT_EQ(track.getStartTime(), 0);

    auto key = [&](size_t i) { return std::make_pair(int32_t(keys[i].values[0]), keys[i].time); };
    EXPECT_EQ(key(0), std::make_pair(0, 0));
    EXPECT_EQ(key(1), std::make_pair(0, 69000));
    const int32_t firstTimes[] = {69001, 69009, 69018, 69027, 69036};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(key(i + 2), std::make_pair(239, firstTimes[i]));
    EXPECT_EQ(key(778), std::make_pair(0, 76000));

    std::map<int32_t, int> counts;
    int tenMsSteps = 0;
    for (size_t i = 2; i < keys.size(); ++i) {
        int32_t value = int32_t(keys[i].values[0]);
        if (i > 3) { // after the first step of 8 ms
            int32_t step = keys[i].time - keys[i - 1].time;
            EXPECT_TRUE(step == 9 || step == 10) << "step " << step << " at key " << i;
            tenMsSteps += step == 10;
        }
        if (keys[i].time <= 75539) {
            EXPECT_GE(value, 6);
            EXPECT_LE(value, 239);
            ++counts[value];
        } else {
            EXPECT_EQ(value, 0) << "at " << keys[i].time;
        }
    }
    EXPECT_LE(tenMsSteps, 20); // "a few"
    EXPECT_EQ(counts.size(), 63u);
    int most = 0;
    for (auto [value, count] : counts) most = std::max(most, count);
    EXPECT_EQ(counts[239], most);
    EXPECT_GT(counts[239], counts[238] + counts[235]); // clearly the most frequent
}

TEST(RollTrack, EvaluatesAgainstTheShowClock) {
    const IntTrack& track = rollTrack();
    EXPECT_EQ(track.valueAt(0), 0);
    EXPECT_EQ(track.valueAt(68999), 0);
    EXPECT_EQ(track.valueAt(69000), 0);
    EXPECT_EQ(track.valueAt(69001), 239);
    EXPECT_GT(track.valueAt(75539), 0);
    EXPECT_EQ(track.valueAt(75548), 0);
    EXPECT_EQ(track.valueAt(90000), 0);
}
