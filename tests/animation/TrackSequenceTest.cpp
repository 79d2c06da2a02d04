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
}

TEST(TrackSequence, RepeatedSegmentReplaysItsEnvelopeFromEachEvent) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.add(0, 0, 0);
    sequence.add(3, 0, 1); // an envelope played twice
    sequence.add(10, 350, 0);
    sequence.add(3, 500, 0);
    sequence.add(7, 0, 0);
    // (event time, read time, value): entered at 1000, replayed at 2000, left at 3000.
    const int32_t script[][3] = {{1000, 1175, 6}, {-1, 1350, 10}, {-1, 1900, 3},
                                 {2000, 2000, 3}, {-1, 2350, 10}, {3000, 3000, 7}};
    for (auto [event, read, expected] : script) {
        if (event >= 0) {
            clock.at(event);
            sequence.advance();
        }
        clock.at(read);
        EXPECT_EQ(sequence.value(), expected) << "at " << read;
    }
}

TEST(TrackSequence, LoopMarkJumpsBackAndEndsAllRepeatsElseTheLastSegmentRuns) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.add(5, 0, 1);
    sequence.add(6, 0, 0);
    sequence.add(7, 0, -1);
    std::vector<int32_t> seen{sequence.value()};
    for (int event = 0; event < 7; ++event) {
        sequence.advance();
        seen.push_back(sequence.value());
    }
    // First pass: 5 twice (one repeat); after the loop, each segment once.
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 5, 6, 7, 5, 6, 7, 5}));

    IntSequence ramp; // without a loop mark, advancing past the end keeps the last segment running
    ramp.add(0, 0, 0);
    ramp.add(0, 0, 0);
    ramp.add(100, 1000, 0);
    clock.at(500);
    ramp.advance();
    clock.at(1000);
    ramp.takeChanged();
    ramp.advance();
    EXPECT_TRUE(ramp.takeChanged());
    EXPECT_EQ(ramp.value(), 50);
    clock.at(9000);
    EXPECT_EQ(ramp.value(), 100);
}

TEST(TrackSequence, EmptySequenceIgnoresEventsAndYieldsZero) {
    ShowClockDriver clock;
    IntSequence sequence;
    sequence.advance();
    EXPECT_FALSE(sequence.takeChanged());
    EXPECT_EQ(sequence.value(), 0);
    sequence.add(4, 100, 0); // a key with no segment to join opens one instead of being lost
    EXPECT_EQ(sequence.value(), 4);
    EXPECT_FLOAT_EQ(FloatSequence(0.5f).value(), 0.5f);
}
