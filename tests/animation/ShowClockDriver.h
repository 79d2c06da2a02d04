// Test helper: drives the show clock by hand through a replaced tick counter.
#pragma once

#include "platform/SystemClock.h"
#include "platform/Timer.h"

inline uint32_t testTicks = 0;

struct ShowClockDriver {
    ShowClockDriver() {
        testTicks = 0;
        Sys_SetTickSource([] { return testTicks; });
        Timer::instance().start();
    }
    ~ShowClockDriver() { Sys_SetTickSource(nullptr); }
    void at(int32_t ms) { // the clock after a frame's update, ms after its start
        testTicks = uint32_t(ms);
        Timer::instance().update();
    }
};
