// The noise floor's segments and trigger times, in show-clock milliseconds.
#include "pieces/three/NoiseFloor.h"

#include <vector>

namespace {
struct FloorKey {
    float value;
    int32_t ms; // the segment's own time
};

const std::vector<std::vector<FloorKey>>& floorSegments() {
    static const std::vector<std::vector<FloorKey>> segments = {
        {{1.0f, 0}},
        {{1.0f, 0}, {0.4f, 700}, {0.5f, 900}, {0.6f, 12000}},
        {{0.5f, 0}, {0.7f, 200}, {0.7f, 1000}},
        {{0.45f, 0}, {0.5f, 1200}, {0.5f, 30000}},
        {{0.45f, 0}, {0.5f, 1200}, {0.5f, 30000}},
        {{0.5f, 0}, {0.45f, 400}},
        {{0.4f, 0}, {0.45f, 400}},
        {{0.4f, 0}, {0.45f, 400}},
        {{0.4f, 0}, {0.45f, 400}},
        {{0.45f, 0}, {0.65f, 200}, {0.45f, 4000}},
        {{0.1f, 0}, {0.45f, 15000}},
        {{0.4f, 0}, {0.45f, 500}},
        {{0.4f, 0}, {0.45f, 500}},
        {{0.4f, 0}, {0.45f, 500}},
        {{0.4f, 0}, {0.45f, 500}},
        {{0.4f, 0}, {0.45f, 1500}},
        {{0.0f, 0}, {0.35f, 15000}},
        {{0.05f, 0}, {1.0f, 50000}},
    };
    return segments;
}
} // namespace

const int32_t NoiseFloor::triggerTimes[37] = {
    0,     0,     6888,  6888,  24000, 24000, 24346, 24346, 32931, 32931, 33000, 33000, 33488,
    33488, 33854, 33854, 35038, 35038, 48030, 48030, 51455, 51455, 51966, 51966, 53487, 53487,
    53725, 53725, 55298, 55298, 56888, 56888, 59042, 59042, 59998, 59998, -1};

NoiseFloor::NoiseFloor() : trigger(triggerTimes) {
    for (const std::vector<FloorKey>& segment : floorSegments())
        for (const FloorKey& key : segment)
            sequence.add(key.value, key.ms, 1);
    trigger.attach(&sequence);
}
