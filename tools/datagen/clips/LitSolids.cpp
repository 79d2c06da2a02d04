// Three convex solids (a dodecahedron between a cube and an octahedron) ray traced as
// intersections of half-spaces, lit by a warm key light with shadows and a cool rim light.
#include "clips/ClipScenes.h"

#include "common/Noise.h"
#include "common/Vec3.h"

#include <cmath>
#include <vector>

namespace {
constexpr float pi = 3.14159265f;

struct Solid {
    std::vector<Vec3> normals; // face normals of unit length; faces at `distance` from the centre
    float distance;
    Vec3 centre;
    float yaw, pitch;
    Colour colour;
};

std::vector<Vec3> cubeNormals() { return {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}; }
std::vector<Vec3> octahedronNormals() {
    std::vector<Vec3> n;
    for (int i = 0; i < 8; ++i) n.push_back(normalize(Vec3{i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f}));
    return n;
}
std::vector<Vec3> dodecahedronNormals() {
    const float phi = 1.618034f;
    std::vector<Vec3> n;
    for (float a : {-1.0f, 1.0f})
        for (float b : {-phi, phi}) {
            n.push_back(normalize(Vec3{0, a, b}));
            n.push_back(normalize(Vec3{a, b, 0}));
            n.push_back(normalize(Vec3{b, 0, a}));
        }
    return n;
}

// Ray against a solid in world space: distance and world normal of the entry face.
bool hitSolid(const Solid& s, Vec3 origin, Vec3 dir, float& tHit, Vec3& normal) {
    // Most rays miss: a bounding sphere (no vertex of these solids lies farther than 1.8 times
    // the face distance from the centre) rejects them before the face planes are tried.
    Vec3 oc = origin - s.centre;
    float b = dot(oc, dir), c = dot(oc, oc) - s.distance * s.distance * 3.24f;
    if (c > 0 && (b > 0 || b * b < c)) return false;
    // Into the solid's own frame: undo the pitch, then the yaw.
    auto toLocal = [&](Vec3 v) {
        float cp = std::cos(-s.pitch), sp = std::sin(-s.pitch);
        Vec3 a{v.x, cp * v.y - sp * v.z, sp * v.y + cp * v.z};
        float cy = std::cos(-s.yaw), sy = std::sin(-s.yaw);
        return Vec3{cy * a.x + sy * a.z, a.y, -sy * a.x + cy * a.z};
    };
    Vec3 o = toLocal(origin - s.centre), d = toLocal(dir);
    float enter = -1e9f, leave = 1e9f;
    Vec3 enterNormal{};
    for (const Vec3& n : s.normals) {
        float denom = dot(n, d), gap = s.distance - dot(n, o);
        if (std::fabs(denom) < 1e-7f) {
            if (gap < 0) return false;
            continue;
        }
        float t = gap / denom;
        if (denom < 0) {
            if (t > enter) enter = t, enterNormal = n;
        } else if (t < leave) {
            leave = t;
        }
        if (enter > leave) return false;
    }
    if (enter < 1e-3f) return false;
    tHit = enter;
    normal = rotateYX(enterNormal, s.yaw, s.pitch);
    return true;
}
} // namespace

Picture LitSolids::render(int width, int height, float seconds, float period) {
    Picture frame(width, height);
    float phase = 2.0f * pi * seconds / period;
    std::vector<Solid> solids = {
        {dodecahedronNormals(), 0.78f, {0.0f, 0.15f + 0.12f * std::sin(phase), 4.2f}, phase, 0.4f * std::sin(phase) + 0.3f, rgb255(230, 190, 120)},
        {cubeNormals(), 0.42f, {-1.65f, -0.45f + 0.1f * std::sin(phase * 2.0f), 4.6f}, -phase, phase, rgb255(200, 60, 50)},
        {octahedronNormals(), 0.45f, {1.65f, -0.35f + 0.1f * std::cos(phase), 4.4f}, 2.0f * phase, -phase, rgb255(60, 120, 220)},
    };
    const float floorY = -0.9f;
    const Vec3 eye{0.0f, 0.6f, 0.0f};
    const Vec3 keyLight{-2.5f, 3.5f, 2.0f};
    const Vec3 rimDirection = normalize(Vec3{1.5f, 1.0f, 3.0f});
    auto nearest = [&](Vec3 origin, Vec3 dir, float& t, Vec3& n) {
        int found = -1;
        t = 1e9f;
        for (size_t i = 0; i < solids.size(); ++i) {
            float ti;
            Vec3 ni;
            if (hitSolid(solids[i], origin, dir, ti, ni) && ti < t) t = ti, n = ni, found = int(i);
        }
        return found;
    };
    auto shade = [&](Vec3 q, Vec3 n, Vec3 view, Colour albedo, float shine) {
        Vec3 l = normalize(keyLight - q);
        float t;
        Vec3 unused;
        bool shadowed = nearest(q + n * 0.003f, l, t, unused) >= 0 && t < length(keyLight - q);
        float diffuse = shadowed ? 0.0f : std::max(dot(n, l), 0.0f);
        float specular = shadowed ? 0.0f : std::pow(std::max(dot(reflect(view, n), l), 0.0f), 30.0f) * shine;
        float rim = std::pow(1.0f - std::fabs(dot(n, view)), 3.0f) * std::max(dot(n, rimDirection), 0.0f);
        return albedo * (0.1f + 1.5f * diffuse) + rgb255(255, 235, 200) * (specular * 1.4f) +
               rgb255(120, 170, 255) * (rim * 1.2f);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Vec3 dir = normalize(Vec3{(float(x) - width * 0.5f) / float(height), (height * 0.5f - float(y)) / float(height) - 0.12f, 1.1f});
            float t;
            Vec3 n;
            int hit = nearest(eye, dir, t, n);
            Colour c;
            if (hit >= 0) {
                Vec3 q = eye + dir * t;
                c = shade(q, n, dir, solids[size_t(hit)].colour, 0.9f);
                // A touch of the floor and the sky in the faces, as polished surfaces show.
                c = c + rgb255(40, 40, 60) * std::max(-reflect(dir, n).y, 0.0f) * 0.3f;
            } else if (dir.y < 0) {
                float tf = (floorY - eye.y) / dir.y;
                Vec3 q = eye + dir * tf;
                bool dark = (int(std::floor(q.x * 1.5f)) + int(std::floor(q.z * 1.5f))) & 1;
                Colour tile = dark ? rgb255(30, 28, 35) : rgb255(120, 115, 130);
                c = shade(q, {0, 1, 0}, dir, tile, 0.2f);
                // The solids mirrored faintly in the polished floor.
                Vec3 bounce = reflect(dir, {0, 1, 0});
                float tr;
                Vec3 nr;
                int mirrored = nearest(q + Vec3{0, 0.003f, 0}, bounce, tr, nr);
                if (mirrored >= 0) c = c + solids[size_t(mirrored)].colour * 0.18f;
                c = mix(c, rgb255(10, 10, 16), clamp01((tf - 3.0f) / 9.0f));
            } else {
                float glow = std::exp(-std::hypot(float(x) / width - 0.5f, float(y) / height - 0.3f) * 3.0f);
                c = mix(rgb255(8, 8, 14), rgb255(50, 45, 70), glow);
            }
            frame.at(x, y) = c;
        }
    return frame;
}
