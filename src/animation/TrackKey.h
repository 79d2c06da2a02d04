// The two records a keyframe track is made of: a key (values at a local time) and the
// segment that joins a key to the next one (duration and per-component slopes).
#pragma once

#include <cstdint>
#include <vector>

struct TrackKey {
    std::vector<float> values; // one per component; every key of a track has the same count
    int32_t time = 0;          // ms, local track time
};

struct TrackSegment {
    std::vector<float> slopes; // per component: value change per ms, computed in double
    int32_t duration = 0;      // ms from this segment's key to the next; 0 marks a step
};
