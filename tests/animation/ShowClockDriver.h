// Test helper: drives the show clock by hand through a replaced tick counter.
#pragma once

#include "platform/SystemClock.h"
#include "platform/Timer.h"

#include <cstdint>

class ShowClockDriver {
public:
    ShowClockDriver() {
        ticks() = 0;
        Sys_SetTickSource([] { return ticks(); });
        Timer::instance().stop();
        Timer::instance().start();
    }
    ~ShowClockDriver() {
        Timer::instance().stop();
        Sys_SetTickSource(nullptr);
    }
    // Moves the clock to ms after its start, as a frame loop's update would.
    void at(int32_t ms) {
        ticks() = uint32_t(ms);
        Timer::instance().update();
    }

private:
    static uint32_t& ticks() {
        static uint32_t value = 0;
        return value;
    }
};
