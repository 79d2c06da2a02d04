// Shared pieces of the render tests: synthetic frames and sound,
// and a writer set up the way the pieces set theirs up.
#pragma once

#include "TestFiles.h"
#include "media/masters/RenderOutput.h"

#include <cstdint>
#include <string>
#include <vector>

// A frame of width x height x 3 bytes (blue, green, red, top row first) that differs in every
// row, column, channel and frame number.
std::vector<uint8_t> syntheticFrame(int32_t width, int32_t height, int32_t frameNumber);
// Stereo 16-bit sound whose every sample frame is distinct: sample frames first .. first+count-1.
std::vector<uint8_t> syntheticSound(int64_t first, int64_t count);

// The render files' output of the test process, as the shell keeps one for the show: a sound
// system (never opened here unless a test opens it), its capture, and no report.
RenderOutput& testOutput();

// Where the build keeps the show's binaries (TRIPTYCH_BUILD_DIR, else the working directory).
std::string buildFolder();
