// Piece three's fifteen photographs: which photograph and fade map, where, with which reveal
// and gain envelopes, and when each starts.
#pragma once

#include "pieces/three/ImagePair.h"

#include <cstdint>

struct PairPlan {
    const char* photograph;
    const char* fadeMap;
    int32_t centreX, centreY;
    const EnvelopeKey* reveal;
    const EnvelopeKey* gain;
};

inline constexpr int32_t pairCount = 15;
extern const PairPlan pairPlans[pairCount];
// Show-clock ms: pair k starts on the first frame after the k-th time; -1 ends the table.
extern const int32_t pairStartTimes[pairCount + 1];
