// The noise floor driven frame by frame: each trigger time gives two events on consecutive
// frames, the first entering the next segment and the second restarting it.
#include "pieces/three/NoiseFloor.h"
#include "animation/EventListener.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct EventLog : EventListener {
    void advance(int32_t nowMs) override { times.push_back(nowMs); }
    std::vector<int32_t> times;
};

constexpr int32_t frameMs = 10;

// The distinct trigger times: segment k begins at the k-th of them (k from 1).
const std::vector<int32_t> segmentStarts = {0,     6888,  24000, 24346, 32931, 33000, 33488, 33854, 35038,
                                            48030, 51455, 51966, 53487, 53725, 55298, 56888, 59042, 59998};

// The first frame (frameMs apart from 0) at or after t.
int32_t frameAtOrAfter(int32_t t) {
    return (t + frameMs - 1) / frameMs * frameMs;
}

} // namespace

TEST(NoiseFloor, EachTimeEntersTheNextSegmentAndRestartsItOneFrameLater) {
    NoiseFloor floor;
    EventLog events;
    floor.getTrigger().attach(&events);
    ASSERT_EQ(floor.getSequence().segmentCount(), NoiseFloor::segmentCount);
    EXPECT_EQ(floor.getSequence().currentSegment(), 0u); // the opening segment until the first event
    std::vector<int32_t> entered(NoiseFloor::segmentCount, -1);
    float restartProbe = -1.0f;
    for (int32_t now = 0; now <= 70000; now += frameMs) {
        if (floor.getTrigger().isDue(now)) floor.getTrigger().fire(now);
        size_t segment = floor.getSequence().currentSegment();
        if (entered[segment] < 0) entered[segment] = now;
        if (now == frameAtOrAfter(6888) + frameMs + 350) restartProbe = floor.getSequence().value(now);
    }
    for (size_t k = 1; k < NoiseFloor::segmentCount; ++k)
        EXPECT_EQ(entered[k], frameAtOrAfter(segmentStarts[k - 1])) << "segment " << k;

    ASSERT_EQ(events.times.size(), 2 * segmentStarts.size());
    for (size_t i = 0; i < segmentStarts.size(); ++i) {
        EXPECT_EQ(events.times[2 * i], frameAtOrAfter(segmentStarts[i])) << segmentStarts[i];
        EXPECT_EQ(events.times[2 * i + 1], events.times[2 * i] + frameMs) << segmentStarts[i];
    }
    // Segment 2 falls from 1.0 to 0.4 over 700 ms counted from the restart, not from entering.
    EXPECT_FLOAT_EQ(restartProbe, 0.7f);
}
