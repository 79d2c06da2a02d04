// The common frame of the photographs: a colour for every pixel from the scene's own function,
// then the finishing touches of Scenes::finishPhotograph.
#pragma once

#include "images/Scenes.h"

#include <cstdint>

// Where a pixel lies: its column and row, and the same as fractions of the picture's size.
struct PixelSpot {
    int x, y;
    float u, v;
};

template <class ColourAt>
Picture paintPhotograph(int width, int height, float vignette, uint32_t grainSeed, ColourAt colourAt) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = colourAt(PixelSpot{x, y, float(x) / float(width), float(y) / float(height)});
    Scenes::finishPhotograph(picture, vignette, grainSeed);
    return picture;
}
