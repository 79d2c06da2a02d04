// Sequences: event counters, repeated envelopes, the end of the list and looping back.
#include "ShowClockDriver.h"

#include "animation/FloatSequence.h"
#include "animation/IntSequence.h"

#include <gtest/gtest.h>

TEST(TrackSequence, OneKeySegmentsCountEventsAndReportEachOnce) {
    ShowClockDriver clock;
    IntSequence counter;
    counter.addValues({0}, 0, 0);
    for (int i = 0; i < 500; ++i) counter.add(1, 0, 0);
    ASSERT_EQ(counter.segmentCount(), 501u);

    clock.at(100);
    EXPECT_EQ(counter.value(), 0);
    EXPECT_FALSE(counter.takeChanged());
    for (int event = 1; event <= 3; ++event) {
        clock.at(100 + event * 400);
        counter.advance();
        EXPECT_EQ(counter.value(), 1);
        EXPECT_TRUE(counter.takeChanged()) << "event " << event;
        EXPECT_FALSE(counter.takeChanged()) << "event " << event;
    }
    EXPECT_EQ(counter.currentSegment(), 3u);
}

TEST(TrackSequence, RepeatedSegmentReplaysItsEnvelopeFromEachEvent) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.add(0, 0, 0);
    sequence.add(3, 0, 1); // envelope played twice
    sequence.add(10, 350, 0);
    sequence.add(3, 500, 0);
    sequence.add(7, 0, 0);

    clock.at(1000);
    sequence.advance(); // enters the envelope
    clock.at(1175);
    EXPECT_EQ(sequence.value(), 6); // 6.5
    clock.at(1350);
    EXPECT_EQ(sequence.value(), 10);
    clock.at(1900);
    EXPECT_EQ(sequence.value(), 3); // held at its last key

    clock.at(2000);
    sequence.advance(); // the repeat starts it again
    EXPECT_EQ(sequence.value(), 3);
    clock.at(2350);
    EXPECT_EQ(sequence.value(), 10);

    clock.at(3000);
    sequence.advance(); // and the third event moves on
    EXPECT_EQ(sequence.value(), 7);
}

TEST(TrackSequence, AdvancingPastTheEndKeepsTheLastSegmentRunning) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.add(0, 0, 0);
    sequence.add(0, 0, 0);
    sequence.add(100, 1000, 0);
    clock.at(500);
    sequence.advance();
    EXPECT_TRUE(sequence.takeChanged());
    clock.at(1000);
    sequence.advance(); // no next segment and no loop mark: nothing restarts
    EXPECT_TRUE(sequence.takeChanged());
    EXPECT_EQ(sequence.value(), 50);
    clock.at(9000);
    EXPECT_EQ(sequence.value(), 100);
    EXPECT_EQ(sequence.currentSegment(), 1u);
}

TEST(TrackSequence, LoopMarkJumpsBackAndEndsAllRepeats) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.add(5, 0, 1);
    sequence.add(6, 0, 0);
    sequence.add(7, 0, -1);
    std::vector<int32_t> seen{sequence.value()};
    for (int event = 0; event < 7; ++event) {
        clock.at(100 * (event + 1));
        sequence.advance();
        seen.push_back(sequence.value());
    }
    // First pass: 5 twice (one repeat); after the loop, each segment once.
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 5, 6, 7, 5, 6, 7, 5}));
}

TEST(TrackSequence, VectorValuesFollowTheCurrentSegment) {
    ShowClockDriver clock;
    FloatSequence sequence(0.5f);
    EXPECT_FLOAT_EQ(sequence.value(), 0.5f);
    sequence.addValues({0.0f, 1.0f}, 0, 0);
    sequence.addValues({1.0f, 0.0f}, 200, 0);
    clock.at(300);
    sequence.advance();
    clock.at(350);
    const std::vector<float>& values = sequence.values();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_FLOAT_EQ(values[0], 0.25f);
    EXPECT_FLOAT_EQ(values[1], 0.75f);
}

TEST(TrackSequence, EmptySequenceIgnoresEventsAndYieldsZero) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.advance();
    EXPECT_FALSE(sequence.takeChanged());
    EXPECT_EQ(sequence.value(), 0);
    EXPECT_TRUE(sequence.values().empty());

    // A key for a later time with no segment to join opens one instead of being lost.
    sequence.add(4, 100, 0);
    EXPECT_EQ(sequence.segmentCount(), 1u);
    EXPECT_EQ(sequence.value(), 4);
}
