// One process-wide generator state, touched only by the show thread.
#include "platform/ShowRandom.h"

namespace {
uint32_t generatorState = 1;
}

void ShowRandom::seed(uint32_t newState) { generatorState = newState; }

int ShowRandom::next() {
    generatorState = generatorState * 214013u + 2531011u;
    return int((generatorState >> 16) & 0x7FFF);
}

uint32_t ShowRandom::state() { return generatorState; }

void ShowRandom::skip(uint64_t count) {
    // One draw is the map x -> a x + c; the map of 2^k draws is formed by composing it with itself,
    // and the maps of count's set bits are applied in turn (they commute).
    uint32_t multiplier = 214013u, increment = 2531011u;
    for (; count != 0; count >>= 1) {
        if (count & 1) generatorState = generatorState * multiplier + increment;
        increment = increment * multiplier + increment;
        multiplier *= multiplier;
    }
}
