// The sampled loudness curve that drives piece two's threshold filter: 1190 keys over 3430 ms.
#pragma once

#include <cstdint>

inline constexpr int32_t envelopeKeyCount = 1190;
inline constexpr int32_t envelopeLengthMs = 3430;

// Loudness of key n as a level k (0, or 5 to 50); the key's value is k x 4.4 / 255.
int32_t envelopeLevel(int32_t n);
// Time of key n in ms: the keys are spread evenly over the curve, truncated to whole ms
// (steps of 3 ms and 2 ms).
inline constexpr int32_t envelopeKeyTime(int32_t n) {
    return n * envelopeLengthMs / (envelopeKeyCount - 1);
}
