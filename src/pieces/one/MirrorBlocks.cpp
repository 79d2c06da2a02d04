// The mirror blocks of piece one and their two flips.
#include "pieces/one/MirrorBlocks.h"

#include "pieces/one/ClipBox.h"

#include <algorithm>
#include <utility>

namespace {
// Exchanges two pixels of one column, unless either lies outside the store.
void swapInColumn(PixelStore& store, int32_t x, int32_t ya, int32_t yb) {
    if (store.contains(x, ya) && store.contains(x, yb)) std::swap(store.at(x, ya), store.at(x, yb));
}
} // namespace

void flipColumns(PixelStore store, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (x0 > x1) return;
    int64_t w = store.width;
    int64_t h = int64_t(y1) - y0;
    int64_t half = (w * h) / 2;
    for (int32_t x = std::max(x0, 0); x <= x1 && x < store.width; ++x)
        for (int32_t j = 0; w * j < half; ++j) swapInColumn(store, x, y0 + j, y1 - j);
}

void flipTriangle(PixelStore store, int32_t x0, int32_t y0, int32_t x1) {
    if (x0 >= x1) return;
    int32_t s = x1 - x0;
    for (int32_t c = 0; c < s; ++c) {
        int32_t x = x0 + c;
        if (x < 0 || x >= store.width) continue;
        int32_t span = s - c;
        for (int32_t j = 0; j < span / 2; ++j) swapInColumn(store, x, y0 + j, y0 + span - j);
    }
}

MirrorBlock::MirrorBlock(float x0_, float y0_, float x1_, float y1_, int32_t kind_, const ClipBox& box)
    : x0(std::max(x0_, float(box.left()))), y0(std::max(y0_, float(box.top()))),
      x1(std::min(x1_, float(box.right()))), y1(std::min(y1_, float(box.bottom()))), kind(kind_) {}

void MirrorBlock::apply(PixelStore store) const {
    int32_t ix0 = int32_t(x0), iy0 = int32_t(y0), ix1 = int32_t(x1), iy1 = int32_t(y1);
    switch (kind) {
    case mirror: mirrorRows(store, ix0, iy0, ix1, iy1); break;
    case flip: flipColumns(store, ix0, iy0, ix1, iy1); break;
    case triangle: flipTriangle(store, ix0, iy0, ix1); break;
    default: break;
    }
}

void MirrorBlocks::buildBlocks(const ClipBox& box) {
    float l = float(box.left()), t = float(box.top()), r = float(box.right()), b = float(box.bottom());
    const float list[15][5] = {
        {l, t, r, t + 100, 1},           {r - 80, t + 100, r, b, 2},      {l, t, l + 80, t + 100, 1},
        {l + 200, t, l + 240, b, 1},     {l, t + 180, r, b, 1},           {l, t + 80, r, b, 2},
        {l, t, l + 160, t + 50, 3},      {l + 200, t + 100, l + 340, t + 200, 3},
        {l, t + 100, r, t + 150, 1},     {l + 50, t + 50, r - 50, b - 50, 1},
        {l, t, r, t + 75, 2},            {l, t, r, b, 2},                 {l, t, r, t + 100, 1},
        {r - 80, t + 100, r, b, 2},      {l, t, l + 80, t + 100, 1},
    };
    blocks.clear();
    for (const auto& b5 : list) blocks.emplace_back(b5[0], b5[1], b5[2], b5[3], int32_t(b5[4]), box);
}

void MirrorBlocks::drawBlocks(PixelStore store, bool eventArrived, bool pixels) {
    if (eventArrived) ++blockCount;
    if (!pixels) return;
    for (int32_t i = 0; i < blockCount && i < int32_t(blocks.size()); ++i) blocks[size_t(i)].apply(store);
}
