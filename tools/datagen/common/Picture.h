// A picture being composed: width x height colours in floats, row 0 at the top.
#pragma once

#include "common/Colour.h"

#include <cstdint>
#include <vector>

class Picture {
public:
    Picture(int width, int height, Colour fill = {});

    int width() const { return w; }
    int height() const { return h; }
    Colour& at(int x, int y) { return pixels[size_t(y) * size_t(w) + size_t(x)]; }
    const Colour& at(int x, int y) const { return pixels[size_t(y) * size_t(w) + size_t(x)]; }
    // Blends colour over the pixel with weight alpha (0..1); ignores points outside.
    void blend(int x, int y, Colour colour, float alpha);
    // Copies `source` with its top-left corner at (x, y), clipped to this picture.
    void paste(const Picture& source, int x, int y);
    // Packed 8-bit red, green, blue, through the tone curve.
    std::vector<uint8_t> toRgb() const;

private:
    int w, h;
    std::vector<Colour> pixels;
};

// A one-channel 8-bit picture (fade maps).
struct GreyPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> values;
};
