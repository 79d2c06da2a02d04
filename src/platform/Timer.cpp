// Show clock arithmetic. Ticks are 32-bit and wrap; differences are taken modulo 2^32.
#include "platform/Timer.h"

#include "platform/Errors.h"
#include "platform/SystemClock.h"

Timer::Timer() = default;

void Timer::start() {
    startTick = lastTick = Sys_Milliseconds();
    started = true;
    lastTimeWhole = 0;
    time = 0.0f;
    elapsedMs = 0;
    deltaMs = 0;
}

void Timer::stop() { started = false; }

void Timer::update() {
    if (!isStarted())
        throw ExceptionSpace::Exception(ExceptionSpace::timerNotStartedMessage, "Timer", 102);
    elapsedMs = int32_t(Sys_Milliseconds() - startTick);
    deltaMs = int32_t(Sys_Milliseconds() - lastTick);
    time = float(double(elapsedMs) * 0.001 * double(rate));
    deltaTime = float(double(deltaMs) * 0.001 * double(rate));
    // The time between the second and this third read belongs to no frame step.
    lastTick = Sys_Milliseconds();
}

void Timer::setTime(int32_t units) {
    time = float(units);
    elapsedMs = int32_t(float(units) / rate * 1000.0f);
    deltaMs = int32_t(uint32_t(elapsedMs) - lastTick);
    deltaTime = float(units - lastTimeWhole);
    lastTimeWhole = units;
    lastTick = uint32_t(elapsedMs);
    startTick = Sys_Milliseconds() - uint32_t(elapsedMs);
}

void Timer::setTimeMs(int32_t ms) {
    elapsedMs = ms;
    deltaMs = int32_t(uint32_t(ms) - lastTick);
    lastTick = uint32_t(ms);
    time = float(double(ms) * 0.001 * double(rate));
    startTick = Sys_Milliseconds() - uint32_t(ms);
    lastTimeWhole = int32_t(time);
}

void Timer::setRate(int32_t unitsPerSecond) { rate = float(unitsPerSecond); }
int32_t Timer::getTime() { return int32_t(time); }
int32_t Timer::getDeltaTime() { return int32_t(deltaTime); }
int32_t Timer::getElapsedMs() { return elapsedMs; }
int32_t Timer::getDeltaMs() { return deltaMs; }
bool Timer::isStarted() { return started; }

bool Timer::isLagging() {
    int32_t wall = int32_t(double(int32_t(Sys_Milliseconds() - startTick)) * 0.001 * double(rate));
    return float(wall) > time;
}
