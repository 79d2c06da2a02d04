// The row jitter of piece one and its generator.
#include "pieces/one/RowJitter.h"

#include "pieces/common/ShiftRegisterJump.h"

#include <algorithm>

int32_t RowJitter::nextJitter() {
    int32_t u = (jitterSeed >> 3) ^ jitterSeed;
    int32_t b = u & 1;
    int32_t q = u >> 1;
    jitterSeed = (b << 30) | (jitterSeed >> 1);
    return q;
}

void RowJitter::shuffleRow(PixelStore store, int32_t y, int32_t from, int32_t to, int32_t amplitude,
                           int32_t shift) {
    if (amplitude <= 0 || y < 0 || y >= store.height) return;
    const int64_t last = store.size() - 1;
    const int64_t rowStart = int64_t(y) * store.width;
    from = std::max(from, 0);
    to = std::min(to, store.width);
    for (int32_t x = from; x < to; ++x) {
        int32_t r = nextJitter() % amplitude;
        int64_t source = std::clamp(rowStart + x + r + shift, int64_t(0), last);
        store.pixels[rowStart + x] = store.pixels[source];
    }
}

void RowJitter::skipRows(PixelStore store, int32_t boxTop, int32_t amplitude) {
    if (amplitude <= 0 || store.width <= 0) return;
    // One draw per pixel of every row that lies inside the store.
    const int32_t rows = std::max(0, std::min(boxTop + 240, store.height - 1) - std::max(boxTop, 0) + 1);
    const uint64_t draws = uint64_t(rows) * uint64_t(store.width);
    if (draws) jitterSeed = int32_t(ShiftRegisterJump::of(draws).apply(uint32_t(jitterSeed)));
}

void RowJitter::jitterRows(PixelStore store, int32_t boxTop, int32_t amplitude) {
    if (amplitude <= 0) return;
    for (int32_t y = boxTop; y <= boxTop + 240; ++y) shuffleRow(store, y, 0, store.width, amplitude, -(amplitude / 2));
}
