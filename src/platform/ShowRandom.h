// The show's pseudo-random generator: state = state x 214013 + 2531011 (mod 2^32),
// value = (state >> 16) & 0x7FFF, initial state 1. Used wherever the show draws random numbers.
#pragma once

#include <cstdint>

namespace ShowRandom {
void seed(uint32_t state);
int next(); // 0..32767
// The state the next draw starts from: what seed takes to give the same draws again.
uint32_t state();
// Moves the state on as count draws would, without drawing them (in a number of steps that
// grows with the bits of count, not with count).
void skip(uint64_t count);
} // namespace ShowRandom
