// Lattice value noise, fractal sums and cellular distance, all from an integer hash.
#include "common/Noise.h"

#include <cmath>

namespace {
float fade(float t) { return t * t * (3.0f - 2.0f * t); }
} // namespace

uint32_t Noise::hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Noise::lattice(int32_t x, int32_t y, uint32_t seed) {
    return float(hash(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float Noise::value(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int32_t ix = int32_t(fx), iy = int32_t(fy);
    float tx = fade(x - fx), ty = fade(y - fy);
    float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::valueTiled(float x, float y, int32_t period, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int32_t ix = int32_t(fx), iy = int32_t(fy);
    float tx = fade(x - fx), ty = fade(y - fy);
    auto wrap = [period](int32_t v) { return ((v % period) + period) % period; };
    int32_t x0 = wrap(ix), x1 = wrap(ix + 1), y0 = wrap(iy), y1 = wrap(iy + 1);
    float a = lattice(x0, y0, seed), b = lattice(x1, y0, seed);
    float c = lattice(x0, y1, seed), d = lattice(x1, y1, seed);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::fbm(float x, float y, int octaves, uint32_t seed) {
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += value(x, y, seed + uint32_t(i) * 101u) * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        // Rotate a little between octaves so the lattice does not line up.
        float nx = x * 1.6f - y * 1.2f, ny = x * 1.2f + y * 1.6f;
        x = nx + 17.3f;
        y = ny + 5.1f;
    }
    return sum / total;
}

float Noise::cellular(float x, float y, uint32_t seed, uint32_t* cellId) {
    int32_t ix = int32_t(std::floor(x)), iy = int32_t(std::floor(y));
    float best = 1e9f;
    uint32_t bestId = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int32_t cx = ix + dx, cy = iy + dy;
            uint32_t h = hash(cx, cy, seed);
            float px = float(cx) + float(h & 0xFFFF) / 65536.0f;
            float py = float(cy) + float(h >> 16) / 65536.0f;
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best) {
                best = d;
                bestId = h;
            }
        }
    if (cellId) *cellId = bestId;
    return best;
}
