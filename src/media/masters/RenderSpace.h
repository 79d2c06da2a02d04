// What render files take on disk: a guide from the sizes the default data gives in each codec,
// for the warning before a render, and the room a file being written keeps for its last frames
// and its index, so that a full disk still leaves it finished.
#pragma once

#include <cstdint>
#include <string>

namespace RenderSpace {

// About how many bytes one frame of width x height takes in codec, sound at 44100 Hz 16-bit
// stereo included for framesPerSecond (measured on the default data: the summary's sizes).
int64_t typicalFrameBytes(const std::string& codecName, int32_t width, int32_t height, int32_t framesPerSecond);
// The room a file must still have before its next frame is handed on: every frame that may be
// waiting for the encoder at its largest (frameBytes, uncompressed), the index of all its frames
// so far and the trailer.
int64_t reserveBeforeFrame(int64_t frameBytes, int64_t framesWritten);

} // namespace RenderSpace
