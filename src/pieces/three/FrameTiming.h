// Piece three's frame timing: the length of the piece, the clock time of each rendered frame
// with the render progress, and the live pacing where presenting does not wait for the screen.
#pragma once

#include "pieces/common/ShowParts.h"

#include <cstdint>

namespace FrameTiming {

// The loop ends on the first frame whose clock reading reaches this (106 s of music).
inline constexpr int32_t pieceEndMs = showParts[pieceThreePart].lengthMs;

// Clock units (71 per second) of the frame after capturedFrames frames were written:
// 71 / framesPerSecond x capturedFrames in 32-bit floats. Frames 0 and 1 both draw at 0.
float frameTimeUnits(float framesPerSecond, int32_t capturedFrames);
// The render progress 0..100 at frameTimeUnits: the share of the piece's 7526 units, truncated.
int32_t progressPercent(float frameTimeUnits);

// The frames a render gets at framesPerSecond: every frame whose clock time is below pieceEndMs.
int64_t renderedFrames(int32_t framesPerSecond);

// Live: a frame presented sooner than this after the previous one was not waited for by the
// screen; the loop sleeps the rest so that it does not spin on frames nobody sees.
inline constexpr uint32_t shortestFrameMs = 16;
// How long to sleep after a present that came msSincePrevious after the one before it.
inline uint32_t pacingSleepMs(uint32_t msSincePrevious) {
    return msSincePrevious < shortestFrameMs ? shortestFrameMs - msSincePrevious : 0;
}

} // namespace FrameTiming
