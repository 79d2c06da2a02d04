// Sequences: event counters, repeated envelopes, the end of the list and looping back.
#include "animation/IntSequence.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(TrackSequence, OneKeySegmentsCountEventsAndReportEachOnce) {
    IntSequence counter;
    counter.addValues({0}, 0, 0);
    for (int i = 0; i < 500; ++i) counter.add(1, 0, 0);
    EXPECT_EQ(counter.value(100), 0);
    EXPECT_FALSE(counter.takeChanged());
    for (int event = 1; event <= 3; ++event) {
        const int32_t at = 100 + event * 400;
        counter.advance(at);
        EXPECT_EQ(counter.value(at), 1);
        EXPECT_TRUE(counter.takeChanged()) << "event " << event;
        EXPECT_FALSE(counter.takeChanged()) << "event " << event;
    }
}

TEST(TrackSequence, RepeatedSegmentReplaysItsEnvelopeFromEachEvent) {
    IntSequence sequence; // 0; an envelope 3, 10, 3 played twice; 7
    for (auto [value, time, repeat] : {std::tuple{0, 0, 0}, {3, 0, 1}, {10, 350, 0}, {3, 500, 0}, {7, 0, 0}})
        sequence.add(value, time, repeat);
    // (event time, read time, value): entered at 1000, replayed at 2000, left at 3000.
    const int32_t script[][3] = {{1000, 1175, 6}, {-1, 1350, 10}, {-1, 1900, 3},
                                 {2000, 2000, 3}, {-1, 2350, 10}, {3000, 3000, 7}};
    for (auto [event, read, expected] : script) {
        if (event >= 0) sequence.advance(event);
        EXPECT_EQ(sequence.value(read), expected) << "at " << read;
    }
}

TEST(TrackSequence, LoopMarkJumpsBackAndEndsAllRepeatsElseTheLastSegmentRuns) {
    IntSequence sequence;
    for (auto [value, repeat] : {std::pair{5, 1}, {6, 0}, {7, -1}}) sequence.add(value, 0, repeat);
    std::vector<int32_t> seen{sequence.value(0)};
    for (int event = 0; event < 7; ++event) {
        sequence.advance(0);
        seen.push_back(sequence.value(0));
    }
    // First pass: 5 twice (one repeat); after the loop, each segment once.
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 5, 6, 7, 5, 6, 7, 5}));

    IntSequence ramp; // without a loop mark, advancing past the end keeps the last segment running
    for (auto [value, time] : {std::pair{0, 0}, {0, 0}, {100, 1000}}) ramp.add(value, time, 0);
    ramp.advance(500);
    ramp.takeChanged();
    ramp.advance(1000); // past the end
    EXPECT_TRUE(ramp.takeChanged());
    EXPECT_EQ(ramp.value(1000), 50);
    EXPECT_EQ(ramp.value(9000), 100);
}

TEST(TrackSequence, EmptySequenceIgnoresEventsAndYieldsZero) {
    IntSequence sequence;
    sequence.advance(0);
    EXPECT_FALSE(sequence.takeChanged());
    EXPECT_EQ(sequence.value(0), 0);
    sequence.add(4, 100, 0); // a key with no segment to join opens one instead of being lost
    EXPECT_EQ(sequence.value(0), 4);
}
