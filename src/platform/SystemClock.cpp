// Monotonic tick counter, sleep and calendar time on POSIX.
#include "platform/SystemClock.h"

#include <ctime>
#include <sched.h>
#include <time.h>

namespace {
TickSource tickOverride = nullptr;
}

uint32_t Sys_Milliseconds() {
    if (tickOverride) return tickOverride();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t ms = uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u;
    return uint32_t(ms); // wraps like a 32-bit tick count
}

void Sys_Sleep(uint32_t milliseconds) {
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec pause{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

int64_t Sys_CalendarSeconds() { return int64_t(std::time(nullptr)); }

void Sys_SetTickSource(TickSource source) { tickOverride = source; }
