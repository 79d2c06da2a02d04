// Figures for long runs (TRIPTYCH_STATS=1): frames presented, presents that came more than 20 ms
// after the one before, and the process's resident memory, written on stderr by the shell.
#pragma once

#include <cstdint>

namespace ShowStats {
// TRIPTYCH_STATS is set to something other than "0"; read once.
bool isEnabled();
// Counts a present and whether it came late; the display device calls it on every present.
void recordPresent();
int64_t presentCount();
int64_t slowPresentCount(); // intervals between consecutive presents longer than 20 ms
// VmRSS of this process in kilobytes, -1 when the system does not say.
int64_t residentKilobytes();
// When enabled: "triptych: stats: <moment>: resident N kB, presents P, slower than 20 ms S".
void report(const char* moment);
} // namespace ShowStats
