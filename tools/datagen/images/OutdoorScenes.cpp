// Outdoor photographs: ridges at dusk, a sea at sunset, dunes, a forest in mist, an aurora and
// evening clouds. Each is built from layered gradients, noise and simple lighting.
#include "common/Noise.h"
#include "common/Vec3.h"
#include "images/PhotographPainter.h"

#include <cmath>

namespace {
Colour skyGradient(float v, Colour top, Colour middle, Colour horizon, float horizonV) {
    float t = clamp01(v / horizonV);
    return t < 0.6f ? mix(top, middle, t / 0.6f) : mix(middle, horizon, (t - 0.6f) / 0.4f);
}
float ridge(float u, float base, float amplitude, float scale, uint32_t seed) {
    float n = Noise::fbm(u * scale, 3.7f, 5, seed);
    float sharp = 1.0f - std::fabs(Noise::value(u * scale * 0.7f, 1.3f, seed + 7) * 2.0f - 1.0f);
    return base - amplitude * (n * 0.7f + sharp * 0.3f);
}
} // namespace

Picture Scenes::mountainsAtDusk(int w, int h) {
    Colour top = rgb255(22, 28, 70), middle = rgb255(120, 70, 110), horizon = rgb255(255, 160, 90);
    Colour haze = rgb255(210, 130, 120);
    const float sunU = 0.62f, sunV = 0.48f;
    return paintPhotograph(w, h, 0.35f, 1, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour c = skyGradient(v, top, middle, horizon, 0.62f);
        float d = std::sqrt((u - sunU) * (u - sunU) + (v - sunV) * (v - sunV) * 0.8f);
        c += rgb255(255, 190, 120) * (0.9f * std::exp(-d * 9.0f));
        if (d < 0.045f) c = mix(c, rgb255(255, 235, 200) * 1.4f, smoothstep(0.045f, 0.035f, d));
        // Five ridges from far to near, each darker and less hazy.
        for (int layer = 0; layer < 5; ++layer) {
            float base = 0.55f + 0.1f * float(layer);
            float height = ridge(u, base, 0.22f - 0.02f * float(layer), 2.0f + layer, 40u + layer);
            if (v > height) {
                float depth = float(layer) / 4.0f;
                Colour rock = mix(haze * 0.75f, rgb255(18, 12, 28), 0.3f + 0.7f * depth);
                float shade = Noise::fbm(u * 14.0f, v * 14.0f, 4, 60u + layer);
                c = rock * (0.8f + 0.4f * shade);
                // Valley mist gathers below each crest, so every ridge line stays crisp.
                float mist = smoothstep(height + 0.02f, height + 0.16f, v) * (1.0f - depth) * 0.45f;
                c = mix(c, haze, mist);
            }
        }
        return c;
    });
}

Picture Scenes::seaAtSunset(int w, int h) {
    const float horizonV = 0.52f, sunU = 0.45f, sunV = 0.42f;
    return paintPhotograph(w, h, 0.3f, 3, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour c;
        if (v < horizonV) {
            c = skyGradient(v, rgb255(40, 50, 110), rgb255(200, 110, 120), rgb255(255, 190, 100),
                            horizonV);
            float d = std::hypot(u - sunU, (v - sunV) * 1.1f);
            c += rgb255(255, 200, 120) * std::exp(-d * 7.0f);
            if (d < 0.06f) c = mix(c, rgb255(255, 240, 210) * 1.5f, smoothstep(0.06f, 0.05f, d));
            float streak = Noise::fbm(u * 2.0f, v * 22.0f, 4, 3);
            c = mix(c, rgb255(120, 60, 90), smoothstep(0.55f, 0.75f, streak) * 0.6f);
        } else {
            float depth = (v - horizonV) / (1.0f - horizonV);
            Colour water = mix(rgb255(120, 80, 110), rgb255(15, 25, 55), std::sqrt(depth));
            float waves = Noise::fbm(u * 6.0f / (0.2f + depth), v * 90.0f / (0.3f + depth), 4, 5);
            float column = std::exp(-std::fabs(u - sunU) * (7.0f + 8.0f * (1.0f - depth)));
            float glitter = smoothstep(0.55f, 0.8f, waves) * column;
            c = water * (0.7f + 0.6f * waves) + rgb255(255, 200, 130) * (glitter * 1.6f + column * 0.25f);
        }
        return c;
    });
}

Picture Scenes::dunes(int w, int h) {
    // Height of the sand: long asymmetric ridges (gentle windward slope, steep lee side) that
    // meander, with fine ripples on top.
    auto height = [](float x, float z) {
        float s = x * 0.22f + 0.35f * std::sin(z * 0.18f) + 0.5f * Noise::value(x * 0.08f, z * 0.08f, 13);
        s -= std::floor(s);
        float ridge = s < 0.75f ? s / 0.75f : (1.0f - s) / 0.25f;
        return 1.3f * ridge * ridge + 0.02f * std::sin(x * 6.0f + z * 2.0f);
    };
    const Vec3 eye{0.0f, 2.2f, 0.0f};
    const Vec3 sun = normalize(Vec3{-0.9f, 0.35f, 0.25f});
    return paintPhotograph(w, h, 0.3f, 15, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Vec3 dir = normalize(Vec3{(float(x) - w * 0.5f) / float(h), (h * 0.35f - float(y)) / float(h), 1.0f});
        Colour sky = mix(rgb255(80, 130, 205), rgb255(250, 225, 190), clamp01(1.0f - dir.y * 3.0f));
        Colour c = sky;
        float t = 0.5f;
        for (int step = 0; step < 300 && t < 80.0f; ++step) {
            Vec3 q = eye + dir * t;
            float gap = q.y - height(q.x, q.z);
            if (gap < 0.002f * t) {
                float e = 0.02f;
                Vec3 n = normalize(Vec3{height(q.x - e, q.z) - height(q.x + e, q.z), 2.0f * e,
                                        height(q.x, q.z - e) - height(q.x, q.z + e)});
                float lit = std::max(dot(n, sun), 0.0f);
                Colour sand = rgb255(225, 150, 85) * (0.25f + 1.2f * lit) + rgb255(60, 70, 110) * 0.15f;
                c = mix(sand, sky, 1.0f - std::exp(-t * 0.03f));
                break;
            }
            t += std::max(gap * 0.5f, 0.01f);
        }
        return c;
    });
}

Picture Scenes::mistyForest(int w, int h) {
    Colour mist = rgb255(205, 220, 190);
    return paintPhotograph(w, h, 0.35f, 16, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour c = mix(rgb255(240, 235, 205), rgb255(140, 170, 130), v);
        // Six rows of fir trees, far rows pale in the mist, near rows dark.
        for (int row = 0; row < 6; ++row) {
            float depth = float(row) / 5.0f;
            float spacing = 0.16f - 0.02f * float(row);
            float cell = std::floor(u / spacing);
            float jitter = Noise::lattice(int32_t(cell), row, 21) * 0.6f + 0.2f;
            float cx = (cell + jitter) * spacing;
            float ground = 0.62f + 0.07f * float(row);
            float tall = (0.2f + 0.16f * Noise::lattice(int32_t(cell), row, 23)) * (0.75f + 0.6f * depth);
            float treeTop = ground - tall;
            float along = (v - treeTop) / tall;
            float tier = along * 5.0f - std::floor(along * 5.0f);
            float halfWidth = along * spacing * 0.6f * (0.65f + 0.35f * tier);
            bool trunk = std::fabs(u - cx) < spacing * 0.04f && v > treeTop && v < ground + 0.05f;
            bool crown = v > treeTop && v < ground - tall * 0.05f && std::fabs(u - cx) < halfWidth &&
                         Noise::value(u * 90.0f, v * 60.0f, 25u + row) > 0.12f;
            if (trunk || crown) {
                Colour tree = mix(rgb255(40, 75, 40), rgb255(12, 30, 14), depth);
                c = mix(tree, mist, (1.0f - depth) * 0.75f);
            } else if (v > ground + 0.04f) {
                Colour moss = mix(rgb255(70, 90, 45), rgb255(30, 45, 25), depth) *
                              (0.8f + 0.4f * Noise::fbm(u * 30.0f, v * 60.0f, 3, 29u + row));
                c = mix(moss, mist, (1.0f - depth) * 0.6f);
            }
        }
        // Shafts of light falling from the upper left.
        float shaft = Noise::value((u + v * 0.5f) * 14.0f, 0.5f, 27);
        c += rgb255(255, 220, 150) * (smoothstep(0.6f, 0.9f, shaft) * 0.35f * (1.0f - v));
        return c;
    });
}

Picture Scenes::aurora(int w, int h) {
    const float groundV = 0.78f;
    return paintPhotograph(w, h, 0.4f, 19, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour c = mix(rgb255(5, 8, 25), rgb255(20, 35, 70), v / groundV);
        if (Noise::hash(x, y, 31) % 400 == 0) c += Colour{1.0f, 1.0f, 0.95f} * (0.4f + Noise::lattice(x, y, 33));
        // Curtains along a wavy line: bright at their lower edge, fading upward in streaks.
        for (int band = 0; band < 2; ++band) {
            float edge = 0.5f + 0.12f * std::sin(u * 5.0f + float(band) * 2.0f) +
                         0.08f * Noise::fbm(u * 3.0f, float(band), 3, 35u + band) - 0.15f * float(band);
            float above = edge - v;
            if (above > -0.02f) {
                float rays = Noise::value(u * 60.0f, float(band) * 7.0f, 37);
                float glow = std::exp(-std::max(above, 0.0f) * 5.0f) * smoothstep(-0.02f, 0.01f, above);
                Colour green = rgb255(60, 255, 150), violet = rgb255(170, 70, 220);
                c += mix(green, violet, clamp01(above * 2.5f)) * (glow * (0.4f + 0.8f * rays) * 0.9f);
            }
        }
        if (v > groundV) {
            float depth = (v - groundV) / (1.0f - groundV);
            // Snow lit by the aurora: green near the horizon, bluish drifts nearer.
            c = mix(rgb255(50, 90, 100), rgb255(120, 150, 175), depth) *
                    (0.75f + 0.35f * Noise::fbm(u * 12.0f, v * 50.0f, 4, 39)) +
                rgb255(60, 200, 130) * ((1.0f - depth) * 0.25f);
        }
        // Pines on the horizon.
        float pine = groundV - 0.08f * Noise::value(u * 40.0f, 0.0f, 41) *
                                   (0.5f + 0.5f * std::fabs(std::sin(u * 120.0f)));
        if (v > pine && v < groundV + 0.01f) c = rgb255(4, 8, 12);
        return c;
    });
}

Picture Scenes::cloudsAtEvening(int w, int h) {
    return paintPhotograph(w, h, 0.3f, 7, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour sky = mix(rgb255(40, 70, 140), rgb255(255, 170, 120), smoothstep(0.1f, 1.0f, v));
        float density = Noise::fbm(u * 3.0f + v * 1.5f, v * 5.0f, 6, 71);
        float cloud = smoothstep(0.4f, 0.65f, density);
        // Lit from below by the low sun: bright lower rims, dark bellies higher up.
        float rim = clamp01((Noise::fbm(u * 3.0f + v * 1.5f, v * 5.0f - 0.08f, 6, 71) - density) * 12.0f + 0.5f);
        Colour lit = mix(rgb255(110, 80, 110), rgb255(255, 190, 140) * 1.3f, rim * (0.4f + 0.6f * v));
        return mix(sky, lit, cloud);
    });
}

void Scenes::finishPhotograph(Picture& picture, float vignette, uint32_t grainSeed) {
    int w = picture.width(), h = picture.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float u = float(x) / float(w) - 0.5f, v = float(y) / float(h) - 0.5f;
            float fall = 1.0f - vignette * clamp01((u * u + v * v) * 2.0f);
            float grain = (Noise::lattice(x, y, grainSeed + 1000u) - 0.5f) * 0.03f;
            Colour& c = picture.at(x, y);
            c = c * fall + Colour{grain, grain, grain};
        }
}
