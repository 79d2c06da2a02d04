// Piece one's frame clock, live and rendered.
#include "pieces/one/PartClock.h"

#include "platform/Timer.h"

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

int32_t PartClock::frameWritten(float partLength) {
    frameTime = frameTimeAt(framesPerSecond, frameIndex);
    clock.setTime(int32_t(frameTime));
    ++frameIndex;
    return progressAt(frameTime, partLength);
}
