// The roll track's keys: 0 until 69000 ms, then a key every 9 ms (an 8 ms step first and a
// few 10 ms steps) up to 76000 ms: beat pulses held at the full roll of 239 that die away
// toward a sinking floor, a last sweep down to 6 at 75539 ms, and 0 from 75548 ms on.
#include "pieces/two/RollTrack.h"

namespace {
constexpr int32_t rollStartMs = 69001;
constexpr int32_t rollEndMs = 75539;     // last key with a roll
constexpr int32_t activeKeys = 726;      // keys from rollStartMs to rollEndMs
constexpr int32_t activeTenMsSteps = 14; // among the 724 steps after the first 8 ms one
constexpr int32_t quietKeys = 51;        // keys of value 0 from 75548 to 76000 ms
constexpr int32_t quietTenMsSteps = 2;   // among the 50 steps between them
constexpr int32_t beatMs = 476;          // one pulse per beat of the music
constexpr int32_t holdMs = 110;          // full roll at the start of each pulse
constexpr int32_t sweepKeys = 90;        // the closing sweep from full roll down to the least
constexpr int32_t topLevel = 62;         // 63 roll levels, 0 .. 62

// Roll level 0 .. 62 as a roll value 6 .. 239 (rounded), 63 distinct values.
int32_t rollValue(int32_t level) {
    return 6 + (level * 233 + 31) / 62;
}

// Steps of 9 ms with `tens` steps of 10 ms spread evenly over `count` steps.
int32_t stepMs(int32_t step, int32_t count, int32_t tens) {
    return (step + 1) * tens / count > step * tens / count ? 10 : 9;
}

// The roll level of active key n (at time, ms after rollStartMs).
int32_t rollLevel(int32_t n, int32_t sinceStart) {
    int32_t sweepStart = activeKeys - sweepKeys;
    if (n >= sweepStart) // one key per level or less: every level occurs on the way down
        return topLevel * (sweepKeys - 1 - (n - sweepStart)) / (sweepKeys - 1);
    int32_t sinceBeat = sinceStart % beatMs;
    if (sinceBeat < holdMs) return topLevel;
    int32_t span = rollEndMs - rollStartMs;
    int32_t floor = 34 * (span - sinceStart) / span; // the calm level sinks over the passage
    int32_t level = floor + (topLevel - floor) * 100 / (100 + sinceBeat - holdMs);
    level += ((n * 7919) % 13 - 6) / 2; // a fixed flicker of -3 .. +3 levels
    return level < 0 ? 0 : level > topLevel ? topLevel : level;
}

IntTrack buildRollTrack() {
    IntTrack track;
    track.addKey(0, 0);
    track.addKey(0, rollStartMs - 1);
    int32_t time = rollStartMs;
    for (int32_t n = 0; n < activeKeys; ++n) {
        track.addKey(rollValue(rollLevel(n, time - rollStartMs)), time);
        time += n == 0 ? 8 : stepMs(n - 1, activeKeys - 2, activeTenMsSteps);
    }
    // time is now rollEndMs + 9
    for (int32_t n = 0; n < quietKeys; ++n) {
        track.addKey(0, time);
        time += stepMs(n, quietKeys - 1, quietTenMsSteps);
    }
    track.start(0);
    return track;
}
} // namespace

const IntTrack& rollTrack() {
    static const IntTrack track = buildRollTrack();
    return track;
}
