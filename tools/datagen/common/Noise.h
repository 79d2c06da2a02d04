// Deterministic lattice noise for procedural content: pure functions of their coordinates and a
// seed, so pictures and clips come out the same on every run and on any thread.
#pragma once

#include <cstdint>

namespace Noise {

// 32-bit integer hash of a lattice point.
uint32_t hash(int32_t x, int32_t y, uint32_t seed);
// Value in 0..1 for a lattice point.
float lattice(int32_t x, int32_t y, uint32_t seed);
// Smoothly interpolated value noise, 0..1.
float value(float x, float y, uint32_t seed);
// Value noise that repeats every `period` lattice cells in x and y.
float valueTiled(float x, float y, int32_t period, uint32_t seed);
// Fractal sum of octaves of value noise, normalised to 0..1.
float fbm(float x, float y, int octaves, uint32_t seed);
// Distance from (x, y) to the nearest of one jittered point per cell (cellular noise), and the
// hash of that cell through `cellId`.
float cellular(float x, float y, uint32_t seed, uint32_t* cellId = nullptr);

} // namespace Noise
