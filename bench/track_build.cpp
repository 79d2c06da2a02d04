// Keyframe track speed: building a 5000-key track key by key (as the pieces' builders do at
// load) and evaluating it at times spread over its whole length.
#include "BenchSupport.h"
#include "animation/IntTrack.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {
constexpr int32_t keyCount = 5000;
constexpr int32_t keyStepMs = 7;

IntTrack buildTrack() {
    IntTrack track;
    uint32_t state = 12345;
    for (int32_t k = 0; k < keyCount; ++k) {
        state = state * 1664525u + 1013904223u; // fixed values, a plain congruential walk
        track.addKey(int32_t(state >> 24), k * keyStepMs);
    }
    track.start(0);
    return track;
}
} // namespace

int main() {
    double bestBuild = 1e9;
    for (int round = 0; round < 20; ++round) {
        auto start = std::chrono::steady_clock::now();
        IntTrack track = buildTrack();
        bestBuild = std::min(bestBuild, secondsSince(start));
        if (track.keys().size() != size_t(keyCount)) return 1;
    }

    IntTrack track = buildTrack();
    constexpr int32_t evaluations = 2000000;
    const int32_t span = keyCount * keyStepMs;
    double bestEval = 1e9;
    volatile int64_t sink = 0;
    for (int round = 0; round < 5; ++round) {
        int64_t sum = 0;
        auto start = std::chrono::steady_clock::now();
        for (int32_t n = 0; n < evaluations; ++n) sum += track.valueAt(int32_t((int64_t(n) * 7919) % span));
        bestEval = std::min(bestEval, secondsSince(start));
        sink = sink + sum;
    }

    std::printf("BENCH track_build_5000_keys %.3f ms\n", bestBuild * 1e3);
    std::printf("BENCH track_eval %.1f ns\n", bestEval * 1e9 / evaluations);
    return 0;
}
