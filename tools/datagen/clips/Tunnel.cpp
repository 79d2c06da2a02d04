// The tunnel: each pixel is mapped to an angle round the tube and a depth along it; ribs, wall
// panels and rows of lamps are drawn in those coordinates, and distance fades into the bright exit.
#include "clips/ClipScenes.h"

#include "common/Noise.h"

#include <cmath>

namespace {
constexpr float pi = 3.14159265f;
float fract(float v) { return v - std::floor(v); }
} // namespace

Picture Tunnel::render(int width, int height, float seconds) {
    Picture frame(width, height);
    float scale = float(height) * 0.5f;
    float centreX = width * 0.5f + width * 0.14f * std::sin(seconds * 0.55f);
    float centreY = height * 0.5f + height * 0.18f * std::sin(seconds * 0.9f + 1.0f);
    float travel = seconds * 3.2f;
    float spin = seconds * 0.12f + 0.25f * std::sin(seconds * 0.4f);
    Colour exitGlow = rgb255(235, 240, 255) * 1.3f;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float dx = (float(x) - centreX) / scale, dy = (float(y) - centreY) / scale;
            float r = std::sqrt(dx * dx + dy * dy);
            float depth = 1.0f / std::max(r, 0.01f);
            float along = depth + travel;
            float around = std::atan2(dy, dx) / (2.0f * pi) + 0.5f + spin + 0.04f * std::sin(along * 0.35f);
            // Wall panels with dark seams; neighbouring panels differ strongly in tone.
            float panelU = around * 12.0f, panelV = along * 0.7f;
            float seam = std::fmin(std::fabs(fract(panelU) - 0.5f), std::fabs(fract(panelV) - 0.5f));
            float tone = 0.25f + 0.75f * Noise::lattice(int(std::floor(panelU)) % 12, int(std::floor(panelV)), 1701);
            Colour c = rgb255(80, 100, 135) * (tone * smoothstep(0.5f, 0.44f, seam));
            // Dark ribs every unit of depth with a bright leading edge.
            float ribPhase = fract(along);
            if (ribPhase > 0.8f) c = c * 0.15f + rgb255(220, 225, 235) * smoothstep(0.8f, 0.83f, ribPhase) * smoothstep(0.9f, 0.84f, ribPhase);
            // Four light strips running along the tube streak past as it turns.
            float strip = std::fabs(fract(around * 4.0f + 0.125f) - 0.5f);
            c += rgb255(255, 245, 220) * (smoothstep(0.035f, 0.01f, strip) * 1.2f);
            // A ring of amber lamps every four units; they light the wall around them.
            float ringDistance = std::fabs(fract(along / 4.0f) - 0.5f) * 4.0f;
            float lampAround = std::fabs(fract(around * 6.0f) - 0.5f);
            float lamp = smoothstep(0.25f, 0.1f, ringDistance) * smoothstep(0.08f, 0.03f, lampAround);
            c = c * (0.2f + 1.3f * std::exp(-ringDistance * 1.2f)) + rgb255(255, 170, 80) * (lamp * 1.5f);
            // Far away the walls melt into the light at the end.
            float fade = 1.0f - std::exp(-depth * 0.07f);
            frame.at(x, y) = mix(c, exitGlow, fade * fade * fade);
        }
    return frame;
}
