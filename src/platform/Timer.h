// The show clock: elapsed milliseconds and clock units (71 per second) since `start`,
// advanced by `update` from the tick counter live, or set frame by frame in video mode.
#pragma once

#include <cstdint>

class Timer {
public:
    Timer();
    virtual ~Timer() = default;
    virtual void start();
    virtual void stop();
    virtual void update();
    virtual void setTime(int32_t units);
    virtual void setTimeMs(int32_t ms);
    virtual void setRate(int32_t unitsPerSecond);
    virtual int32_t getTime();
    virtual int32_t getDeltaTime();
    virtual int32_t getElapsedMs();
    virtual int32_t getDeltaMs();
    virtual bool isStarted();
    virtual bool isLagging();

private:
    uint32_t startTick = 0;
    int32_t elapsedMs = 0;
    uint32_t lastTick = 0;
    int32_t deltaMs = 0;
    int32_t lastTimeWhole = 0;
    float deltaTime = 0.0f;
    float time = 0.0f;
    float rate = 71.0f;
    bool started = false;
};
