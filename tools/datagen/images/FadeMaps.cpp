// Fade map patterns, each a function of the pixel's position in the picture.
#include "images/FadeMaps.h"

#include "common/Noise.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float pi = 3.14159265f;

float pattern(FadeMaps::Style style, float u, float v, float aspect, uint32_t seed) {
    using S = FadeMaps::Style;
    float cx = (u - 0.5f) * aspect, cy = v - 0.5f;
    float radius = std::sqrt(cx * cx + cy * cy);
    float angle = std::atan2(cy, cx);
    float n = Noise::fbm(u * 6.0f * aspect, v * 6.0f, 5, seed);
    switch (style) {
    case S::RadialNoise: return radius * 1.6f + (n - 0.5f) * 0.5f;
    case S::DiagonalWipe: return (u + v) * 0.5f + (n - 0.5f) * 0.35f;
    case S::Clouds: return Noise::fbm(u * 3.0f * aspect, v * 3.0f, 6, seed);
    case S::Rings: return 0.5f + 0.5f * std::sin(radius * 40.0f + n * 3.0f) * (1.0f - radius) + radius * 0.5f;
    case S::Tiles: {
        int tx = int(u * 8.0f), ty = int(v * 8.0f);
        float local = std::max(std::fabs(std::fmod(u * 8.0f, 1.0f) - 0.5f), std::fabs(std::fmod(v * 8.0f, 1.0f) - 0.5f));
        return Noise::lattice(tx, ty, seed) * 0.8f + local * 0.4f;
    }
    case S::Spiral: {
        float turn = std::fmod(angle / (2.0f * pi) + 1.0f + radius * 2.5f, 1.0f);
        return turn * 0.7f + radius * 0.5f + (n - 0.5f) * 0.15f;
    }
    case S::Blinds: {
        float slat = std::floor(u * 12.0f);
        float within = std::fmod(u * 12.0f, 1.0f);
        return Noise::lattice(int(slat), 0, seed) * 0.6f + within * 0.3f + v * 0.25f;
    }
    case S::Cells: {
        uint32_t id = 0;
        float d = Noise::cellular(u * 7.0f * aspect, v * 7.0f, seed, &id);
        return float(id >> 8) / 16777216.0f * 0.75f + d * 0.35f;
    }
    case S::Diamonds: {
        float du = std::fabs(std::fmod(u * 6.0f * aspect, 1.0f) - 0.5f);
        float dv = std::fabs(std::fmod(v * 6.0f, 1.0f) - 0.5f);
        return (du + dv) * 0.6f + v * 0.5f + (n - 0.5f) * 0.2f;
    }
    case S::RisingSmoke: {
        float warp = Noise::fbm(u * 4.0f * aspect, v * 2.0f - 3.0f, 5, seed + 9);
        return (1.0f - v) * 0.8f + (warp - 0.5f) * 0.6f + (n - 0.5f) * 0.2f;
    }
    case S::AngularSweep: return std::fmod(angle / (2.0f * pi) + 1.25f, 1.0f) + (n - 0.5f) * 0.12f;
    }
    return n;
}
} // namespace

void FadeMaps::stretchToFullRange(std::vector<float>& values, GreyPicture& out) {
    auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    float low = *lo, span = std::max(*hi - low, 1e-6f);
    out.values.resize(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        out.values[i] = uint8_t(std::clamp((values[i] - low) / span * 255.0f + 0.5f, 0.0f, 255.0f));
}

GreyPicture FadeMaps::make(Style style, int width, int height, uint32_t seed) {
    GreyPicture out;
    out.width = width;
    out.height = height;
    std::vector<float> values(size_t(width) * size_t(height));
    float aspect = float(width) / float(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            values[size_t(y) * size_t(width) + size_t(x)] =
                pattern(style, (float(x) + 0.5f) / float(width), (float(y) + 0.5f) / float(height), aspect, seed);
    stretchToFullRange(values, out);
    return out;
}
