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
