// Piece one's time tables: the beats of its music on which the piece's effects fire, shared
// with the data generator that composes that music. Plain data, times in ms, each ending in -1.
//
// The main part's module runs on a grid of rows of 200 ms, 16 rows a bar (3200 ms), 36 bars;
// the part ends at 115000 ms. Hits sound about 20 ms after their row starts. Most events come as
// pairs one millisecond apart, which fire on two consecutive frames:
// - streakEvents (rows 203 to 559): a hi-hat pair on nearly every row, a flam (a second pair
//   10 ms earlier) on most bar downbeats, two silent rows closing every fourth bar; 62982 is
//   followed by 62981.
// - barEvents (rows 193 to 564): one burst per bar over rows 0 to 13 (a pair per row, a third
//   event on the beats and most even rows); rows 14 and 15 are silent, so each bar's burst
//   starts again at the box's left edge. A snare roll in bar 16 writes 51696, 51695 six times.
// - blockEvents (rows 64 to 568): single kicks on rows 0, 3 and 7 of each half bar.
// - flickerLevel (rows 305 to 573): one pair per envelope; the first pair (61000) starts the
//   slow rise, the 57th (99220, the downbeat of bar 31) the big swell, which is at its full
//   height from 99570 to 100520 ms; after the swell a pair on every row and a few half rows.
// The opening and closing parts have their own, fully fixed tables (mirror and glitch).
#pragma once

#include <cstdint>

namespace BeatTables {

constexpr int32_t streakEventCount = 744;
constexpr int32_t barEventCount = 801;
constexpr int32_t blockEventCount = 181;
constexpr int32_t flickerLevelCount = 276;
constexpr int32_t clipTimeEventCount = 72;
constexpr int32_t mirrorTableCount = 26;
constexpr int32_t glitchTableCount = 15;

// Each holds its count of times followed by the terminator -1.
extern const int32_t streakEvents[streakEventCount + 1];
extern const int32_t barEvents[barEventCount + 1];
extern const int32_t blockEvents[blockEventCount + 1];
extern const int32_t flickerLevel[flickerLevelCount + 1];
// Restarts of the clip: 90 + 3200 k and 91 + 3200 k for k = 0 .. 35 (one pair per bar).
extern const int32_t clipTimeEvents[clipTimeEventCount + 1];
// The main part's switches of the whole-box mirror (and resets of the mirror blocks).
extern const int32_t mirrorTable[mirrorTableCount + 1];
// The closing part's glitch bursts: start and end times in turn; the last entry is never reached.
extern const int32_t glitchTable[glitchTableCount];

} // namespace BeatTables
