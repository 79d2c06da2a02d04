// The operating system's clock and sleeping, behind plain functions.
// Sys_Milliseconds is a monotonic millisecond counter that wraps at 2^32 like a tick count.
#pragma once

#include <cstdint>

uint32_t Sys_Milliseconds();
void Sys_Sleep(uint32_t milliseconds); // 0 yields the processor
int64_t Sys_CalendarSeconds();         // seconds since the epoch, for seeding

// Tests replace the tick source; nullptr restores the real clock.
using TickSource = uint32_t (*)();
void Sys_SetTickSource(TickSource source);
