// Fade maps: one-channel pictures whose dark parts let a photograph burn in first and whose
// bright parts last. Every map is stretched to use the whole 0..255 range.
#pragma once

#include "common/Picture.h"

namespace FadeMaps {
enum class Style {
    RadialNoise,   // from the centre outwards, with a ragged front
    DiagonalWipe,  // from the top-left corner, with a noisy edge
    Clouds,        // soft cloudy patches
    Rings,         // concentric ripples
    Tiles,         // square tiles, each with its own time
    Spiral,        // a sweeping spiral arm
    Blinds,        // vertical slats that open one after another
    Cells,         // cellular pattern, cell by cell
    Diamonds,      // rows of soft diamonds
    RisingSmoke,   // from the bottom up, through rising turbulence
    AngularSweep,  // a clock hand sweeping round
};

GreyPicture make(Style style, int width, int height, uint32_t seed);
// Stretches the values linearly so the smallest becomes 0 and the largest 255.
void stretchToFullRange(std::vector<float>& values, GreyPicture& out);
} // namespace FadeMaps
