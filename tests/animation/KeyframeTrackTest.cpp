// Keyframe tracks: interpolation, clamping, backward extrapolation, steps, truncation, vectors,
// and the fast key search and incremental segment table against their plain definitions.
#include "animation/FloatTrack.h"
#include "animation/IntTrack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

TEST(KeyframeTrack, InterpolatesClampsAndExtrapolatesBackwards) {
    IntTrack single; // one key: no segment to evaluate
    single.addKey(5, 0);
    single.start(1234);
    EXPECT_EQ(single.valueAt(99999), 5);

    IntTrack ramp;
    ramp.addKey(0, 0);
    ramp.addKey(100, 1000);
    EXPECT_EQ(ramp.valueAt(5000), 0); // never started: always local time 0
    ramp.start(2000);
    // 99.9 truncated; clamped after the last key; the first segment's line extended backwards,
    // where -29.5 is truncated toward zero, not down.
    for (auto [clock, value] : {std::pair{2500, 50}, {2999, 99}, {5000, 100}, {1000, -100}, {1705, -29}})
        EXPECT_EQ(ramp.valueAt(clock), value) << clock;

    IntTrack steep; // extrapolation beyond the integer range saturates
    steep.addKey(0, 0);
    steep.addKey(-2000000000, 1);
    steep.start(5000);
    EXPECT_EQ(steep.valueAt(-5000), INT32_MAX);
    EXPECT_EQ(steep.valueAt(9999), -2000000000);
}

TEST(KeyframeTrack, EqualTimesMakeAnInstantStep) {
    IntTrack track;
    for (auto [value, time] : {std::pair{0, 0}, {10, 500}, {20, 500}, {30, 1000}}) track.addKey(value, time);
    track.start(0);
    EXPECT_EQ(track.valueAt(499), 9); // 9.98, heading for the earlier key of the step
    EXPECT_EQ(track.valueAt(500), 20);
    EXPECT_EQ(track.valueAt(750), 25); // the float slope just below 0.02 still gives 25.0, not 24

    // A step before the first key: the later key applies, in both evaluations (no 0/0 slope).
    IntTrack early;
    for (auto [value, time] : {std::pair{0, 300}, {8, 300}, {16, 700}}) early.addKey(value, time);
    early.start(0);
    EXPECT_EQ(early.valueAt(100), 8);
    EXPECT_EQ(early.valuesAt(100), std::vector<int32_t>{8});
}

TEST(KeyframeTrack, ValuesAtGivesOneEntryPerComponent) {
    IntTrack track; // slopes 1/16 and -1/4: exact in float
    track.addKeys({0, 100}, 0);
    track.addKeys({64, -156}, 1024);
    track.start(0);
    EXPECT_EQ(track.valuesAt(-8), (std::vector<int32_t>{0, 102})); // -0.5 truncates to 0
    EXPECT_EQ(track.valuesAt(2000), (std::vector<int32_t>{64, -156}));
}

TEST(KeyframeTrack, FastSearchAndIncrementalSegmentsMatchTheirDefinitions) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        FloatTrack track;
        int32_t time = int32_t(random() % 200) - 100;
        bool shuffled = round % 4 == 3; // some tracks get keys out of order
        for (size_t k = 0, count = 1 + random() % 300; k < count; ++k) {
            time += int32_t(random() % 20) - (shuffled ? 5 : 0); // repeated times make steps
            float a = float(random() % 2000) / 7.0f - 100.0f;
            track.addKeys({a, a * 0.5f, -a}, time);
        }
        FloatTrack rebuilt = track;
        rebuilt.rebuildSegments();
        const auto &built = track.segments(), &full = rebuilt.segments();
        ASSERT_EQ(built.size(), full.size());
        for (size_t i = 0; i < built.size(); ++i)
            ASSERT_TRUE(built[i].duration == full[i].duration &&
                        std::memcmp(built[i].slopes.data(), full[i].slopes.data(), 3 * sizeof(float)) == 0)
                << "segment " << i;
        // The key in force by definition: count the leading keys at or before local.
        const std::vector<TrackKey>& keys = track.keys();
        for (int32_t local = keys.front().time - 50; local < time + 50; local += 3) {
            size_t count = 0;
            while (count < keys.size() && keys[count].time <= local) ++count;
            ASSERT_EQ(track.findKey(local), count == 0 ? 0 : count - 1) << "local " << local;
        }
    }
}
