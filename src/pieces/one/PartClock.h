// The show clock as piece one's frame loops drive it: live it follows the tick counter; in
// video mode it is set to the exact time of every rendered frame, so the output does not
// depend on how fast frames are drawn.
#pragma once

#include <cstdint>

class Timer;

class PartClock {
public:
    PartClock(Timer& clock, bool videoMode, int32_t framesPerSecond)
        : clock(clock), videoMode(videoMode), framesPerSecond(float(framesPerSecond)) {}

    // A new part: frame 0 at time 0.
    void beginPart();
    // Before drawing a frame: update from the tick counter, or set the rendered frame's time.
    void advance();
    // After a frame was written in video mode: sets the clock to the next frame's time and
    // returns the progress through a part of partLength clock units (0..100).
    int32_t frameWritten(float partLength);

    int32_t getFrameIndex() const { return frameIndex; }
    float getFrameTime() const { return frameTime; }
    // Clock units of frame frameIndex: 71 / framesPerSecond x frameIndex.
    static float frameTimeAt(float framesPerSecond, int32_t frameIndex);
    // The progress value of a frame at frameTime, truncated toward zero.
    static int32_t progressAt(float frameTime, float partLength);
    // The clock time (ms) at which rendered frame frameIndex of a part is drawn.
    static int32_t frameMs(int32_t framesPerSecond, int64_t frameIndex);
    // The frames a rendered part of endMs gets: the part's loop run on its clock alone.
    static int64_t renderedFrames(int32_t framesPerSecond, int32_t endMs);

private:
    Timer& clock;
    bool videoMode;
    float framesPerSecond;
    int32_t frameIndex = 0; // frames written in the current part
    float frameTime = 0.0f; // clock units of the next frame
};
