// The last step of a render with "deliver": the finished masters of the chosen pieces become
// triptych.mp4, with triptych.chapters.txt, triptych.thumb.jpg and triptych.sheet.png beside it.
#pragma once

#include "pieces/common/ShowParts.h"

#include <array>
#include <cstdint>

class RenderProgress;
struct ShowOptions;

// Writes the film from the masters now on disk, with its progress line; a quit request stops it
// and leaves no partial film. partFrames: the frames planned for each part's master (0: the part
// has none in this render). Failures throw ShowFailure.
void deliverFilm(const ShowOptions& options, const std::array<int64_t, showPartCount>& partFrames,
                 RenderProgress& progress);
