// One process-wide generator state, touched only by the show thread.
#include "platform/ShowRandom.h"

namespace {
uint32_t state = 1;
}

void ShowRandom::seed(uint32_t newState) { state = newState; }

int ShowRandom::next() {
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}
