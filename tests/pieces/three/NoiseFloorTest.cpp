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

// The first frame (frameMs apart from 0) at or after t.
int32_t frameAtOrAfter(int32_t t) {
    return (t + frameMs - 1) / frameMs * frameMs;
}

} // namespace

TEST(NoiseFloor, EachTimeEntersTheNextSegmentAndRestartsItOneFrameLater) {
    NoiseFloor floor;
    EventLog events;
    floor.getTrigger().attach(&events);
    float restartProbe = -1.0f;
    for (int32_t now = 0; now <= 70000; now += frameMs) {
        if (floor.getTrigger().isDue(now)) floor.getTrigger().fire(now);
        if (now == frameAtOrAfter(6888) + frameMs + 350) restartProbe = floor.getSequence().value(now);
    }
    // The k-th distinct time fires on its frame, entering segment k, and on the next, restarting it.
    ASSERT_EQ(events.times.size(), 2 * (NoiseFloor::segmentCount - 1));
    for (size_t k = 1; k < NoiseFloor::segmentCount; ++k) {
        const int32_t time = NoiseFloor::triggerTimes[2 * k - 2];
        EXPECT_EQ(events.times[2 * k - 2], frameAtOrAfter(time)) << time;
        EXPECT_EQ(events.times[2 * k - 1], frameAtOrAfter(time) + frameMs) << time;
    }
    // Segment 2 (from 6888 ms) falls from 1.0 to 0.4 over 700 ms from its restart, not from entering.
    EXPECT_FLOAT_EQ(restartProbe, 0.7f);
}
