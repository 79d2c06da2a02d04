// The flight over a height-mapped landscape: the ground is stored as a tiling height and colour
// map; each frame is drawn column by column from near to far, so nearer ground hides farther.
#include "clips/ClipScenes.h"

#include "common/Noise.h"
#include "common/Vec3.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float waterLevel = 0.30f;
constexpr float heightScale = 150.0f;
const Vec3 sunDirection = normalize(Vec3{-0.7f, 0.45f, 0.55f});

float tiledFbm(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += Noise::valueTiled(x, y, period, seed + uint32_t(i)) * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
    }
    return sum / total;
}

struct CameraPose {
    float x, z, heading, roll;
};

CameraPose poseAt(float seconds) {
    float heading = 0.6f + 0.35f * std::sin(seconds * 0.23f) + 0.03f * seconds;
    // Integrate the path in closed form closely enough: steps of 1/23 s.
    float x = 300.0f, z = 200.0f;
    for (float s = 0; s < seconds; s += 1.0f / 23.0f) {
        float h = 0.6f + 0.35f * std::sin(s * 0.23f) + 0.03f * s;
        x += std::sin(h) * 42.0f / 23.0f;
        z += std::cos(h) * 42.0f / 23.0f;
    }
    float roll = -0.35f * 0.23f * std::cos(seconds * 0.23f) * 4.0f;
    return {x, z, heading, roll};
}
} // namespace

VoxelFlight::VoxelFlight() : heights(size_t(mapSize) * mapSize), colours(size_t(mapSize) * mapSize) {
    for (int y = 0; y < mapSize; ++y)
        for (int x = 0; x < mapSize; ++x) {
            float u = float(x) / mapSize * 6.0f, v = float(y) / mapSize * 6.0f;
            float base = tiledFbm(u, v, 6, 7, 1201);
            float ridges = 1.0f - std::fabs(tiledFbm(u * 2.0f, v * 2.0f, 12, 5, 1301) * 2.0f - 1.0f);
            float h = std::pow(std::clamp(base * 1.25f - 0.12f, 0.0f, 1.0f), 1.6f) * 0.85f + ridges * ridges * 0.22f * base;
            heights[size_t(y) * mapSize + size_t(x)] = std::max(h, waterLevel);
        }
    auto at = [&](int x, int y) { return heights[size_t(y & (mapSize - 1)) * mapSize + size_t(x & (mapSize - 1))]; };
    for (int y = 0; y < mapSize; ++y)
        for (int x = 0; x < mapSize; ++x) {
            float h = at(x, y);
            Vec3 n = normalize(Vec3{(at(x - 1, y) - at(x + 1, y)) * heightScale, 2.0f,
                                    (at(x, y - 1) - at(x, y + 1)) * heightScale});
            float light = std::max(dot(n, sunDirection), 0.0f);
            float detail = Noise::lattice(x, y, 1401) * 0.12f + 0.94f;
            Colour ground;
            if (h <= waterLevel) ground = rgb255(15, 35, 55);
            else if (h < waterLevel + 0.02f) ground = rgb255(190, 170, 120);
            else if (h < 0.5f) ground = mix(rgb255(60, 100, 40), rgb255(20, 55, 28), smoothstep(0.35f, 0.5f, h));
            else if (h < 0.62f) ground = mix(rgb255(100, 90, 75), rgb255(130, 120, 110), n.y);
            else ground = n.y > 0.55f ? rgb255(245, 248, 255) : rgb255(140, 135, 130);
            if (h > waterLevel) ground = ground * (detail * (0.05f + 1.15f * light));
            colours[size_t(y) * mapSize + size_t(x)] = ground;
        }
}

float VoxelFlight::heightAt(float x, float z) const {
    int ix = int(std::floor(x)), iz = int(std::floor(z));
    float fx = x - float(ix), fz = z - float(iz);
    auto at = [&](int a, int b) { return heights[size_t(b & (mapSize - 1)) * mapSize + size_t(a & (mapSize - 1))]; };
    float top = at(ix, iz) + (at(ix + 1, iz) - at(ix, iz)) * fx;
    float bottom = at(ix, iz + 1) + (at(ix + 1, iz + 1) - at(ix, iz + 1)) * fx;
    return top + (bottom - top) * fz;
}

Colour VoxelFlight::colourAt(float x, float z) const {
    int ix = int(std::floor(x)), iz = int(std::floor(z));
    float fx = x - float(ix), fz = z - float(iz);
    auto at = [&](int a, int b) { return colours[size_t(b & (mapSize - 1)) * mapSize + size_t(a & (mapSize - 1))]; };
    return mix(mix(at(ix, iz), at(ix + 1, iz), fx), mix(at(ix, iz + 1), at(ix + 1, iz + 1), fx), fz);
}

Picture VoxelFlight::render(int width, int height, float seconds) const {
    Picture frame(width, height);
    CameraPose pose = poseAt(seconds);
    // Fly above the highest ground a little ahead, so ridges pass close below.
    float ground = 0;
    for (int k = 0; k < 12; ++k) {
        float ahead = float(k) * 6.0f;
        ground = std::max(ground, heightAt(pose.x + std::sin(pose.heading) * ahead, pose.z + std::cos(pose.heading) * ahead));
    }
    float cameraHeight = ground * heightScale + 22.0f;
    float focal = float(width) * 0.5f;
    float horizonBase = float(height) * 0.36f;
    float tilt = std::tan(pose.roll) * 0.5f;
    Colour zenith = rgb255(50, 90, 165), horizonSky = rgb255(225, 205, 185), sun = rgb255(255, 230, 180);
    Vec3 forward{std::sin(pose.heading), 0, std::cos(pose.heading)};
    Vec3 right{std::cos(pose.heading), 0, -std::sin(pose.heading)};
    std::vector<float> lowestDrawn(static_cast<size_t>(width), static_cast<float>(height));
    float z = 1.0f, dz = 0.25f;
    const float farthest = 700.0f;
    while (z < farthest) {
        float fog = 1.0f - std::exp(-z * 0.002f);
        for (int x = 0; x < width; ++x) {
            float across = (float(x) - width * 0.5f) / focal;
            float wx = pose.x + (forward.x + right.x * across) * z;
            float wz = pose.z + (forward.z + right.z * across) * z;
            float h = heightAt(wx, wz) * heightScale;
            float horizon = horizonBase + (float(x) - width * 0.5f) * tilt;
            float top = (cameraHeight - h) / z * focal + horizon;
            if (top >= lowestDrawn[size_t(x)]) continue;
            Colour c = colourAt(wx, wz);
            if (h <= waterLevel * heightScale + 0.01f) {
                // Water mirrors more sky the flatter it is seen, with glints of the sun.
                float glint = Noise::value(wx * 0.5f, wz * 0.5f + seconds * 1.5f, 1601);
                c = mix(c, horizonSky * 0.7f, clamp01(z / 400.0f) * 0.6f) + sun * (smoothstep(0.82f, 0.97f, glint) * 0.35f);
            }
            c = mix(c, horizonSky, fog);
            int from = std::max(int(top), 0);
            for (int y = from; y < int(lowestDrawn[size_t(x)]); ++y) frame.at(x, y) = c;
            lowestDrawn[size_t(x)] = std::max(top, 0.0f);
        }
        z += dz;
        dz *= 1.012f;
    }
    // The sky where no ground was drawn, with the sun's glow and the same banking as the ground.
    float sunAngle = std::atan2(dot(sunDirection, right), dot(sunDirection, forward));
    for (int x = 0; x < width; ++x) {
        float horizon = horizonBase + (float(x) - width * 0.5f) * tilt;
        float columnAngle = std::atan((float(x) - width * 0.5f) / focal);
        for (int y = 0; y < int(lowestDrawn[size_t(x)]); ++y) {
            float up = (horizon - float(y)) / focal;
            Colour c = mix(horizonSky, zenith, clamp01(up * 2.2f));
            float d = std::hypot(columnAngle - sunAngle, up - 0.25f);
            c += sun * (0.8f * std::exp(-d * 6.0f));
            // Clouds on a layer high above the ground: where this ray meets it, so they drift
            // past with the flight and thin out toward the horizon.
            float across = (float(x) - width * 0.5f) / focal;
            float reach = 500.0f / std::max(up, 0.02f);
            float cx = pose.x + (forward.x + right.x * across) * reach, cz = pose.z + (forward.z + right.z * across) * reach;
            float cloud = Noise::value(cx * 0.002f, cz * 0.005f, 1501) * 0.65f + Noise::value(cx * 0.006f, cz * 0.015f, 1502) * 0.35f;
            c = mix(c, rgb255(255, 250, 245), smoothstep(0.5f, 0.8f, cloud) * clamp01(up * 5.0f) * 0.75f);
            frame.at(x, y) = c;
        }
    }
    return frame;
}
