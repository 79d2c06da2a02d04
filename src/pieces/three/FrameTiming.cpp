// Rendered frame times and progress of piece three, in the show's 32-bit float arithmetic.
#include "pieces/three/FrameTiming.h"

#include "platform/Timer.h"

namespace FrameTiming {

float frameTimeUnits(float framesPerSecond, int32_t capturedFrames) {
    return 71.0f / framesPerSecond * float(capturedFrames);
}

int32_t progressPercent(float frameTimeUnits) {
    constexpr float perPieceUnit = 1.0f / 7526.0f; // the float nearest 1/7526
    return int32_t(frameTimeUnits * perPieceUnit * 100.0f);
}

int64_t renderedFrames(int32_t framesPerSecond) {
    Timer clock;
    float units = 0.0f;
    int32_t captured = 0;
    clock.setTime(0);
    while (clock.getElapsedMs() < pieceEndMs) {
        clock.setTime(int32_t(units));
        if (clock.getElapsedMs() >= pieceEndMs) break;
        units = frameTimeUnits(float(framesPerSecond), captured);
        clock.setTime(int32_t(units));
        ++captured;
    }
    return captured;
}

} // namespace FrameTiming
