// Piece two's clock in video mode: each captured frame sets the next frame's time, 71 / fps
// clock units later, so the first two frames both lie at 0 and times truncate to whole units.
#pragma once

#include <cstdint>

class FrameClock {
  public:
    explicit FrameClock(int32_t framesPerSecond) : framesPerSecond(float(framesPerSecond)) {}

    // Clock units at which the next frame is drawn.
    int32_t nextFrameUnits() const { return int32_t(nextFramePosition); }
    // After a frame was captured: the next frame's position, and the progress through the
    // piece's 10650 units (150 s) in percent, truncated.
    int32_t frameCaptured();
    int32_t getCapturedFrames() const { return capturedFrames; }

    // The frames a render gets: drawn while the clock is below lastFrameMs, up to and including
    // the first frame past endMs (the timeline's end), each frame at its clock time.
    static int64_t renderedFrames(int32_t framesPerSecond, int32_t endMs, int32_t lastFrameMs);

  private:
    float framesPerSecond;
    int32_t capturedFrames = 0;
    float nextFramePosition = 0.0f;
};
