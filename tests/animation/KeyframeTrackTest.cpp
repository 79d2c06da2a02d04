// Keyframe tracks: interpolation, clamping, backward extrapolation, steps, truncation, vectors,
// and the fast key search and incremental segment table against their plain definitions.
#include "animation/FloatTrack.h"
#include "animation/IntTrack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
IntTrack rampTrack() { // (0 at 0 ms) to (100 at 1000 ms)
    IntTrack track;
    track.addKey(0, 0);
    track.addKey(100, 1000);
    return track;
}

// The key in force by its definition: count the leading keys at or before local, stop at the
// first later one.
size_t linearFindKey(const std::vector<TrackKey>& keys, int32_t local) {
    if (keys.size() == 1) return 0;
    size_t count = 0;
    while (count < keys.size() && keys[count].time <= local) ++count;
    return count == 0 ? 0 : count - 1;
}

bool sameBits(const std::vector<TrackSegment>& a, const std::vector<TrackSegment>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].duration != b[i].duration || a[i].slopes.size() != b[i].slopes.size()) return false;
        if (std::memcmp(a[i].slopes.data(), b[i].slopes.data(), a[i].slopes.size() * sizeof(float)) != 0)
            return false;
    }
    return true;
}
} // namespace

TEST(KeyframeTrack, OneKeyIsConstantStartedOrNot) {
    IntTrack track;
    track.addKey(5, 0);
    for (int32_t clock : {-100000, 0, 1, 99999}) EXPECT_EQ(track.valueAt(clock), 5);
    track.start(1234);
    for (int32_t clock : {-100000, 0, 1234, 99999}) EXPECT_EQ(track.valueAt(clock), 5);
    EXPECT_EQ(track.valuesAt(50), std::vector<int32_t>{5});
}

TEST(KeyframeTrack, StartedTrackInterpolatesClampsAndExtrapolatesBackwards) {
    IntTrack track = rampTrack();
    track.start(2000);
    EXPECT_EQ(track.valueAt(2000), 0);
    EXPECT_EQ(track.valueAt(2500), 50);
    EXPECT_EQ(track.valueAt(2999), 99); // 99.9 truncated
    EXPECT_EQ(track.valueAt(3000), 100);
    EXPECT_EQ(track.valueAt(5000), 100); // clamped after the last key
    EXPECT_EQ(track.valueAt(1000), -100); // the first segment's line, extended backwards
    track.start(0); // restart from local time 0
    EXPECT_EQ(track.valueAt(500), 50);
}

TEST(KeyframeTrack, NeverStartedTrackStaysAtLocalTimeZero) {
    IntTrack track;
    track.addKey(40, 0);
    track.addKey(100, 1000);
    for (int32_t clock : {-5000, 0, 500, 5000}) EXPECT_EQ(track.valueAt(clock), 40);
    EXPECT_FALSE(track.isStarted());
}

TEST(KeyframeTrack, EqualTimesMakeAnInstantStep) {
    IntTrack track;
    track.addKey(0, 0);
    track.addKey(10, 500);
    track.addKey(20, 500);
    track.addKey(30, 1000);
    track.start(0);
    EXPECT_EQ(track.valueAt(499), 9); // 9.98, heading for the earlier key of the step
    EXPECT_EQ(track.valueAt(500), 20);
    // The slope 10 / 500 is kept as the float just below 0.02: 24.9999999 truncates to 24.
    EXPECT_EQ(track.valueAt(750), 24);
    EXPECT_EQ(track.valueAt(760), 25);
    EXPECT_EQ(track.valuesAt(500), std::vector<int32_t>{20});
}

TEST(KeyframeTrack, StepBeforeTheFirstKeyGivesTheLaterKeyWithoutInfiniteSlopes) {
    IntTrack track;
    track.addKey(0, 300);
    track.addKey(8, 300);
    track.addKey(16, 700);
    track.start(0);
    EXPECT_EQ(track.findKey(100), 0u);
    EXPECT_EQ(track.valueAt(100), 8);
    EXPECT_EQ(track.valuesAt(100), std::vector<int32_t>{8});

    FloatTrack flat; // 0 / 0 slope: still the later key, never a NaN
    flat.addKey(2.5f, 300);
    flat.addKey(2.5f, 300);
    flat.start(0);
    EXPECT_EQ(flat.valuesAt(100), std::vector<float>{2.5f});
}

TEST(KeyframeTrack, IntTrackTruncatesTowardZeroAndSaturates) {
    IntTrack down;
    down.addKey(0, 0);
    down.addKey(-10, 1000);
    down.start(0);
    EXPECT_EQ(down.valueAt(290), -2); // -2.9
    EXPECT_EQ(down.valueAt(-290), 2); // 2.9 before the first key

    IntTrack steep; // extrapolating far beyond the 32-bit range saturates instead of wrapping
    steep.addKey(0, 0);
    steep.addKey(2000000000, 1);
    steep.start(0);
    EXPECT_EQ(steep.valueAt(-5000), INT32_MIN);
    IntTrack rising;
    rising.addKey(0, 0);
    rising.addKey(-2000000000, 1);
    rising.start(0);
    EXPECT_EQ(rising.valueAt(-5000), INT32_MAX);
}

TEST(KeyframeTrack, FloatTrackIsNotRounded) {
    FloatTrack track;
    track.addKey(0.0f, 0);
    track.addKey(1.0f, 4);
    track.start(0);
    EXPECT_FLOAT_EQ(track.valueAt(1), 0.25f);
    EXPECT_FLOAT_EQ(track.valueAt(-2), -0.5f);
}

TEST(KeyframeTrack, ValuesAtGivesOneEntryPerComponent) {
    IntTrack track; // slopes 1/16 and -1/4: exact in float
    track.addKeys({0, 100}, 0);
    track.addKeys({64, -156}, 1024);
    track.start(0);
    EXPECT_EQ(track.valuesAt(-16), (std::vector<int32_t>{-1, 104}));
    EXPECT_EQ(track.valuesAt(100), (std::vector<int32_t>{6, 75})); // 6.25 and 75
    EXPECT_EQ(track.valuesAt(-8), (std::vector<int32_t>{0, 102})); // -0.5 truncates to 0
    EXPECT_EQ(track.valuesAt(2000), (std::vector<int32_t>{64, -156}));
    EXPECT_EQ(track.valueAt(100), 6);

    IntTrack ragged; // later keys take the first key's component count
    ragged.addKeys({1, 2}, 0);
    ragged.addKey(5, 100);
    ragged.addKeys({7, 8, 9}, 200);
    ragged.start(0);
    EXPECT_EQ(ragged.valuesAt(100), (std::vector<int32_t>{5, 0}));
    EXPECT_EQ(ragged.valuesAt(300), (std::vector<int32_t>{7, 8}));
}

TEST(KeyframeTrack, EmptyTrackYieldsNothing) {
    IntTrack track;
    EXPECT_EQ(track.valueAt(100), 0);
    EXPECT_TRUE(track.valuesAt(100).empty());
    FloatTrack noComponents;
    noComponents.addKeys({}, 0);
    EXPECT_EQ(noComponents.valueAt(0), 0.0f);
}

TEST(KeyframeTrack, KeyAddedOutOfOrderIsFollowedInInsertionOrder) {
    IntTrack track;
    track.addKey(50, 75300);
    track.addKey(25, 76300);
    track.addKey(25, 75200); // earlier than its predecessor
    track.addKey(0, 77360);
    track.start(0);
    EXPECT_EQ(track.findKey(76840), 2u);
    EXPECT_EQ(track.valueAt(76840), 6); // on the line from (75200, 25) to (77360, 0)
    EXPECT_EQ(track.valueAt(76000), 32); // the scan stops at 76300 before reaching 75200
}

TEST(KeyframeTrack, FastSearchAndIncrementalSegmentsMatchTheirDefinitions) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        FloatTrack track;
        int32_t time = int32_t(random() % 200) - 100;
        size_t keyCount = 1 + random() % 300;
        bool shuffled = round % 4 == 3; // some tracks get keys out of order
        for (size_t k = 0; k < keyCount; ++k) {
            time += int32_t(random() % 20) - (shuffled ? 5 : 0); // repeats make steps
            float a = float(random() % 2000) / 7.0f - 100.0f;
            track.addKeys({a, a * 0.5f, -a}, time);
        }
        FloatTrack rebuilt = track;
        rebuilt.rebuildSegments();
        ASSERT_TRUE(sameBits(track.segments(), rebuilt.segments())) << "round " << round;
        for (int32_t local = track.keys().front().time - 50; local < time + 50; local += 3)
            ASSERT_EQ(track.findKey(local), linearFindKey(track.keys(), local)) << "local " << local;
    }
}
