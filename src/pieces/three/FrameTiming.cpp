// Rendered frame times and progress of piece three, in the show's 32-bit float arithmetic.
#include "pieces/three/FrameTiming.h"

namespace FrameTiming {

float frameTimeUnits(float framesPerSecond, int32_t capturedFrames) {
    return 71.0f / framesPerSecond * float(capturedFrames);
}

int32_t progressPercent(float frameTimeUnits) {
    constexpr float perPieceUnit = 1.0f / 7526.0f; // the float nearest 1/7526
    return int32_t(frameTimeUnits * perPieceUnit * 100.0f);
}

} // namespace FrameTiming
