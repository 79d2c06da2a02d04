// Small 3-D vector maths for the ray-traced pictures and clips.
#pragma once

#include <cmath>

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalize(Vec3 a) { return a * (1.0f / length(a)); }
inline Vec3 reflect(Vec3 d, Vec3 n) { return d - n * (2.0f * dot(d, n)); }

// Rotation about the y axis, then about the x axis.
inline Vec3 rotateYX(Vec3 v, float yaw, float pitch) {
    float cy = std::cos(yaw), sy = std::sin(yaw);
    Vec3 a{cy * v.x + sy * v.z, v.y, -sy * v.x + cy * v.z};
    float cp = std::cos(pitch), sp = std::sin(pitch);
    return {a.x, cp * a.y - sp * a.z, sp * a.y + cp * a.z};
}

// Distance along the ray to a sphere, or a negative value when it is missed.
inline float hitSphere(Vec3 origin, Vec3 dir, Vec3 centre, float radius) {
    Vec3 oc = origin - centre;
    float b = dot(oc, dir), c = dot(oc, oc) - radius * radius;
    float disc = b * b - c;
    if (disc < 0) return -1.0f;
    float s = std::sqrt(disc);
    float t = -b - s;
    return t > 1e-3f ? t : (-b + s > 1e-3f ? -b + s : -1.0f);
}
