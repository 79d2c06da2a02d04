// Picture storage, blending and conversion to packed 8-bit colour.
#include "common/Picture.h"

#include <array>

unsigned char toByte(float v) {
    constexpr int steps = 4096;
    static const std::array<unsigned char, steps + 1> table = [] {
        std::array<unsigned char, steps + 1> t{};
        for (int i = 0; i <= steps; ++i) {
            float curve = clamp01(toneMap(float(i) / steps));
            t[size_t(i)] = (unsigned char)(std::pow(curve, 1.0f / 1.1f) * 255.0f + 0.5f);
        }
        return t;
    }();
    if (!(v > 0.0f)) return table[0];
    if (v >= 1.0f) return table[steps];
    return table[size_t(v * float(steps) + 0.5f)];
}

Picture::Picture(int width, int height, Colour fill)
    : w(width), h(height), pixels(size_t(width) * size_t(height), fill) {}

void Picture::blend(int x, int y, Colour colour, float alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0.0f) return;
    Colour& p = at(x, y);
    p = mix(p, colour, clamp01(alpha));
}

void Picture::paste(const Picture& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx) {
            int dx = x + sx, dy = y + sy;
            if (dx >= 0 && dy >= 0 && dx < w && dy < h) at(dx, dy) = source.at(sx, sy);
        }
}

std::vector<uint8_t> Picture::toRgb() const {
    std::vector<uint8_t> out(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        out[i * 3 + 0] = toByte(pixels[i].r);
        out[i * 3 + 1] = toByte(pixels[i].g);
        out[i * 3 + 2] = toByte(pixels[i].b);
    }
    return out;
}
