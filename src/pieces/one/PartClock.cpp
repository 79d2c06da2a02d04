// Piece one's frame clock, live and rendered.
#include "pieces/one/PartClock.h"

#include "platform/Timer.h"

#include <algorithm>
#include <cstdint>

void PartClock::beginPart() {
    frameIndex = 0;
    frameTime = 0.0f;
}

void PartClock::advance() {
    if (videoMode)
        clock.setTime(int32_t(frameTime));
    else
        clock.update();
}

float PartClock::frameTimeAt(float framesPerSecond, int32_t frameIndex) {
    // The quotient is formed in double so that whole seconds land on whole units (at 25 frames
    // per second frame 2875 is exactly 8165 units).
    return float(71.0 / double(framesPerSecond) * double(frameIndex));
}

int32_t PartClock::progressAt(float frameTime, float partLength) {
    return int32_t(frameTime / partLength * 100.0f);
}

int32_t PartClock::frameMs(int32_t framesPerSecond, int64_t frameIndex) {
    // Frame 0 and frame 1 are both drawn at 0; frame n at the time set after frame n - 1.
    Timer timer;
    const int64_t last = frameIndex > 0 ? frameIndex - 1 : 0;
    timer.setTime(int32_t(frameTimeAt(float(framesPerSecond), int32_t(std::min<int64_t>(last, INT32_MAX)))));
    return timer.getElapsedMs();
}

int64_t PartClock::renderedFrames(int32_t framesPerSecond, int32_t endMs) {
    Timer timer;
    timer.start();
    PartClock clock(timer, true, framesPerSecond);
    clock.beginPart();
    int64_t frames = 0;
    for (; timer.getElapsedMs() < endMs; ++frames) {
        clock.advance();
        clock.frameWritten(1.0f);
    }
    return frames;
}

int32_t PartClock::frameWritten(float partLength) {
    frameTime = frameTimeAt(framesPerSecond, frameIndex);
    clock.setTime(int32_t(frameTime));
    ++frameIndex;
    return progressAt(frameTime, partLength);
}
