// Frame positions and progress of piece two's rendering.
#include "pieces/two/FrameClock.h"

#include "platform/Timer.h"

int32_t FrameClock::frameCaptured() {
    nextFramePosition = float(71.0 / double(framesPerSecond) * double(capturedFrames));
    ++capturedFrames;
    return int32_t(nextFramePosition * 0.0000938967f * 100.0f);
}

int64_t FrameClock::renderedFrames(int32_t framesPerSecond, int32_t endMs, int32_t lastFrameMs) {
    Timer timer;
    timer.start();
    FrameClock clock(framesPerSecond);
    int64_t frames = 0;
    for (int32_t t = timer.getElapsedMs(); t < lastFrameMs; t = timer.getElapsedMs()) {
        timer.setTime(clock.nextFrameUnits());
        const int32_t now = timer.getElapsedMs();
        ++frames;
        if (now > endMs) break; // the timeline ends on the next step, before drawing
        clock.frameCaptured();
        timer.setTime(clock.nextFrameUnits());
    }
    return frames;
}
