// Frame positions and progress of piece two's rendering.
#include "pieces/two/FrameClock.h"

int32_t FrameClock::frameCaptured() {
    nextFramePosition = float(71.0 / double(framesPerSecond) * double(capturedFrames));
    ++capturedFrames;
    return int32_t(nextFramePosition * 0.0000938967f * 100.0f);
}
