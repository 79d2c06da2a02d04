// Colour arithmetic for the generated pictures and clips: linear RGB in floats, 0..1 per channel.
#pragma once

#include <algorithm>
#include <cmath>

struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Colour operator*(float s, Colour a) { return a * s; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour& operator+=(Colour& a, Colour b) { return a = a + b; }

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float mixf(float a, float b, float t) { return a + (b - a) * t; }
inline Colour mix(Colour a, Colour b, float t) { return a + (b - a) * t; }
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
// A colour from 0..255 components, for palettes written the way designers give them.
inline Colour rgb255(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

// Filmic tone curve: keeps highlights from clipping hard and lifts nothing below black.
inline float toneMap(float v) {
    v = std::max(v, 0.0f);
    return v / (1.0f + 0.25f * v) * 1.25f;
}
// Byte value of a colour channel through the tone curve and a gentle gamma; a table over 0..1
// (the curve reaches white at 1.0) keeps this cheap for whole clips.
unsigned char toByte(float v);
