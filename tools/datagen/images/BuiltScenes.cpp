// Built and arranged photographs: a colonnade, lights out of focus, a still life of spheres, a
// city at night and sunlight through a window.
#include "common/Noise.h"
#include "common/Vec3.h"
#include "images/PhotographPainter.h"

#include <cmath>

Picture Scenes::colonnade(int w, int h) {
    const Vec3 eye{0.0f, 1.1f, 0.0f};
    const Vec3 sun = normalize(Vec3{-0.8f, 0.6f, 0.3f});
    return paintPhotograph(w, h, 0.35f, 4, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Vec3 dir = normalize(Vec3{(float(x) - w * 0.5f) / float(h), (h * 0.55f - float(y)) / float(h), 1.0f});
        float nearest = 1e9f;
        Colour c = mix(rgb255(255, 230, 190) * 1.3f, rgb255(120, 150, 200), clamp01(dir.y * 2.0f));
        // Floor tiles, lit where no column shadows them.
        if (dir.y < 0) {
            float t = -eye.y / dir.y;
            Vec3 q = eye + dir * t;
            if (std::fabs(q.x) < 1.6f) {
                nearest = t;
                bool dark = (int(std::floor(q.x * 2.0f)) + int(std::floor(q.z * 2.0f))) & 1;
                float zc = std::fmod(q.z + 100.0f + q.x * 0.5f, 2.0f);
                float shade = (zc > 0.4f && zc < 1.0f) ? 0.45f : 1.0f;
                c = (dark ? rgb255(150, 120, 95) : rgb255(220, 200, 170)) * shade;
            }
        }
        // Two rows of columns, one every two units of depth.
        for (int side = -1; side <= 1; side += 2)
            for (int k = 0; k < 14; ++k) {
                float cx = 1.5f * float(side), cz = 2.0f + 2.0f * float(k);
                float ox = eye.x - cx, oz = eye.z - cz;
                float a = dir.x * dir.x + dir.z * dir.z, b = ox * dir.x + oz * dir.z;
                float cc = ox * ox + oz * oz - 0.25f * 0.25f;
                float disc = b * b - a * cc;
                if (disc < 0) continue;
                float t = (-b - std::sqrt(disc)) / a;
                Vec3 q = eye + dir * t;
                if (t <= 0 || t >= nearest || q.y > 3.2f) continue;
                nearest = t;
                Vec3 n = normalize(Vec3{q.x - cx, 0, q.z - cz});
                float fluting = 0.85f + 0.15f * std::cos(std::atan2(n.z, n.x) * 16.0f);
                float light = std::max(dot(n, sun), 0.0f) * 0.8f + 0.25f;
                c = rgb255(235, 220, 195) * (light * fluting);
            }
        // Beam above the columns.
        if (dir.y > 0) {
            float t = (3.2f - eye.y) / dir.y;
            if (t < nearest && std::fabs((eye + dir * t).x) < 1.9f) {
                nearest = t;
                c = rgb255(120, 100, 85);
            }
        }
        float fog = nearest < 1e8f ? 1.0f - std::exp(-nearest * 0.045f) : 0.0f;
        return mix(c, rgb255(255, 235, 200), fog);
    });
}

Picture Scenes::bokehLights(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float v = float(y) / float(h);
            p.at(x, y) = mix(rgb255(10, 10, 30), rgb255(40, 15, 35), v);
        }
    const Colour palette[] = {rgb255(255, 180, 80), rgb255(255, 90, 120), rgb255(90, 180, 255),
                              rgb255(255, 230, 160), rgb255(160, 110, 255)};
    for (int i = 0; i < 60; ++i) {
        float cx = Noise::lattice(i, 0, 51) * float(w), cy = Noise::lattice(i, 1, 51) * float(h);
        float radius = 6.0f + 26.0f * Noise::lattice(i, 2, 51) * Noise::lattice(i, 3, 51);
        Colour colour = palette[Noise::hash(i, 4, 51) % 5] * (0.25f + 0.5f * Noise::lattice(i, 5, 51));
        for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
            for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
                if (x < 0 || y < 0 || x >= w || y >= h) continue;
                float d = std::hypot(float(x) - cx, float(y) - cy) / radius;
                // A disc with a brighter rim, the way an open lens draws a point light.
                float disc = smoothstep(1.0f, 0.93f, d) * (0.7f + 0.3f * smoothstep(0.6f, 0.95f, d));
                p.at(x, y) += colour * disc;
            }
    }
    finishPhotograph(p, 0.4f, 5);
    return p;
}

Picture Scenes::stillLife(int w, int h) {
    struct Ball {
        Vec3 centre;
        float radius;
        Colour colour;
        float shine;
    };
    const Ball balls[] = {{{-0.9f, 0.5f, 4.2f}, 0.5f, rgb255(200, 40, 30), 0.6f},
                          {{0.3f, 0.8f, 4.8f}, 0.8f, rgb255(230, 220, 200), 0.3f},
                          {{1.2f, 0.35f, 3.8f}, 0.35f, rgb255(40, 90, 190), 0.9f},
                          {{-0.2f, 0.25f, 3.5f}, 0.25f, rgb255(220, 170, 40), 0.8f}};
    const Vec3 eye{0.0f, 1.3f, 0.0f}, lightPos{-3.0f, 4.0f, 2.0f};
    auto trace = [&](Vec3 origin, Vec3 dir, int& hitBall) {
        float best = 1e9f;
        hitBall = -1;
        for (int i = 0; i < 4; ++i) {
            float t = hitSphere(origin, dir, balls[i].centre, balls[i].radius);
            if (t > 0 && t < best) best = t, hitBall = i;
        }
        return best;
    };
    return paintPhotograph(w, h, 0.45f, 6, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Vec3 dir = normalize(Vec3{(float(x) - w * 0.5f) / float(h), (h * 0.6f - float(y)) / float(h) - 0.25f, 1.0f});
        int ball;
        float t = trace(eye, dir, ball);
        Vec3 q, n;
        Colour albedo;
        float shine = 0;
        if (ball >= 0) {
            q = eye + dir * t;
            n = normalize(q - balls[ball].centre);
            albedo = balls[ball].colour;
            shine = balls[ball].shine;
        } else if (dir.y < 0 && -eye.y / dir.y < 7.0f) {
            q = eye + dir * (-eye.y / dir.y);
            n = {0, 1, 0};
            float grain = Noise::fbm(q.x * 2.0f, q.z * 30.0f, 4, 61);
            albedo = mix(rgb255(90, 55, 35), rgb255(150, 100, 60), grain);
        } else {
            float v = float(y) / float(h);
            return mix(rgb255(60, 55, 60), rgb255(25, 22, 28), v) *
                         (0.8f + 0.4f * std::exp(-std::fabs(float(x) / float(w) - 0.3f) * 3.0f));
        }
        // Soft shadow: average a few points on the area light.
        float lit = 0;
        for (int s = 0; s < 8; ++s) {
            Vec3 jitter{float(s % 3) * 0.35f - 0.35f, float(s / 3) * 0.3f - 0.3f, 0.0f};
            Vec3 toLight = normalize(lightPos + jitter - q);
            int blocker;
            trace(q + n * 0.002f, toLight, blocker);
            if (blocker < 0) lit += 1.0f / 8.0f;
        }
        Vec3 l = normalize(lightPos - q);
        float diffuse = std::max(dot(n, l), 0.0f) * lit;
        float specular = std::pow(std::max(dot(reflect(dir, n), l), 0.0f), 40.0f) * shine * lit;
        Colour c = albedo * (0.12f + 1.1f * diffuse) + Colour{1, 0.95f, 0.85f} * (specular * 1.5f);
        return c;
    });
}

Picture Scenes::skylineAtNight(int w, int h) {
    const float waterV = 0.72f;
    auto buildingTop = [](float u, int layer) {
        int cell = int(std::floor(u * (14.0f + 8.0f * layer)));
        return 0.7f - (0.12f + 0.38f * Noise::lattice(cell, layer, 81)) * (layer == 0 ? 0.7f : 1.0f);
    };
    return paintPhotograph(w, h, 0.35f, 9, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        bool reflected = v > waterV;
        // The water mirrors the scene above it, broken up by ripples.
        float sv = reflected ? 2.0f * waterV - v : v;
        float su = reflected ? u + (Noise::value(u * 8.0f, v * 120.0f, 83) - 0.5f) * 0.03f : u;
        Colour c = mix(rgb255(8, 10, 35), rgb255(90, 40, 90), smoothstep(0.0f, waterV, sv));
        float moon = std::hypot(su - 0.78f, sv - 0.18f);
        c += rgb255(255, 240, 210) * (moon < 0.05f ? 1.2f : 0.25f * std::exp(-(moon - 0.05f) * 12.0f));
        for (int layer = 0; layer < 2; ++layer) {
            float top = buildingTop(su, layer);
            if (sv < top || sv > waterV) continue;
            c = layer == 0 ? rgb255(30, 25, 50) : rgb255(12, 10, 22);
            int wx = int(su * float(w) / 4.0f), wy = int(sv * float(h) / 5.0f);
            bool window = (int(su * float(w)) % 4 < 2) && (int(sv * float(h)) % 5 < 3);
            if (window && Noise::hash(wx, wy, 85u + layer) % 3 == 0)
                c = mix(rgb255(255, 210, 120), rgb255(180, 220, 255), Noise::lattice(wx, wy, 87)) *
                    (0.5f + 0.7f * Noise::lattice(wx, wy, 89));
        }
        if (reflected) c = c * (0.55f - 0.25f * (v - waterV));
        return c;
    });
}

Picture Scenes::windowLight(int w, int h) {
    // The window: x 0.3..0.7, y 0.1..0.45 in picture units, four panes.
    auto inWindow = [](float u, float v) {
        if (u < 0.3f || u > 0.7f || v < 0.1f || v > 0.45f) return false;
        bool barX = std::fabs(u - 0.5f) < 0.012f, barY = std::fabs(v - 0.275f) < 0.012f;
        return !(barX || barY);
    };
    return paintPhotograph(w, h, 0.45f, 20, [&](PixelSpot spot) {
        auto [x, y, u, v] = spot;
        Colour c;
        if (v < 0.62f) {
            c = rgb255(120, 95, 80) * (0.75f + 0.3f * Noise::fbm(u * 20.0f, v * 20.0f, 4, 91));
            if (inWindow(u, v)) c = mix(rgb255(150, 190, 240), rgb255(255, 245, 225) * 1.2f, smoothstep(0.1f, 0.45f, v));
            else if (u > 0.28f && u < 0.72f && v > 0.08f && v < 0.47f) c = rgb255(60, 45, 40);
        } else {
            // Floor boards running away from the viewer, with a faint grain.
            float board = (u - 0.5f) / (0.4f + v) * 9.0f;
            float seam = std::fabs(board - std::round(board)) < 0.04f ? 0.6f : 1.0f;
            c = rgb255(110, 75, 50) * (seam * (0.85f + 0.15f * Noise::fbm(board * 3.0f, v * 40.0f, 3, 93)));
            // The sun patch: the window projected down onto the floor, slanted to the right.
            float fu = 0.5f + (u - 0.5f - (v - 0.62f) * 0.6f) * 0.9f, fv = 0.1f + (v - 0.62f) * 0.95f;
            if (inWindow(fu, fv)) c = c * 3.2f;
        }
        // Dust in the beam between window and floor.
        float bu = u - (v - 0.3f) * 0.45f;
        if (bu > 0.32f && bu < 0.72f && v > 0.3f)
            c += rgb255(255, 230, 190) * (0.12f + 0.08f * Noise::value(u * 60.0f, v * 60.0f, 95));
        return c;
    });
}
