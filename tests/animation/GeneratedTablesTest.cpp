// Piece two's roll track: key counts, grid and first/last keys.
#include "pieces/two/RollTrack.h"

#include <gtest/gtest.h>

#include <map>

TEST(RollTrack, KeysHaveTheStatedCountsGridAndEnds) {
    const IntTrack& track = rollTrack();
    const std::vector<TrackKey>& keys = track.keys();
    ASSERT_EQ(keys.size(), 779u);
    auto key = [&](size_t i) { return std::pair{int32_t(keys[i].values[0]), keys[i].time}; };
    EXPECT_EQ(key(0), std::pair(0, 0));
    EXPECT_EQ(key(1), std::pair(0, 69000));
    const int32_t firstTimes[] = {69001, 69009, 69018, 69027, 69036};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(key(i + 2), std::pair(239, firstTimes[i]));
    EXPECT_EQ(key(778), std::pair(0, 76000));

    std::map<int32_t, int> counts; // of the values while the roll runs
    for (size_t i = 2; i < keys.size(); ++i) {
        auto [value, time] = key(i);
        int32_t step = time - keys[i - 1].time;
        if (i > 3) { // after the first step of 8 ms
            EXPECT_TRUE(step == 9 || step == 10) << "step " << step << " at " << time;
        }
        if (time <= 75539) {
            EXPECT_TRUE(value >= 6 && value <= 239) << value << " at " << time;
            ++counts[value];
        } else {
            EXPECT_EQ(value, 0) << "at " << time;
        }
    }
    EXPECT_EQ(counts.size(), 63u);

    EXPECT_EQ(track.valueAt(68999), 0); // evaluated against the show clock directly
    EXPECT_EQ(track.valueAt(75548), 0);
}
