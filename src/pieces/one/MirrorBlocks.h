// Piece one's mirror blocks: rectangles of the clip box that are mirrored left-right, flipped
// top-bottom, or flipped in a shrinking triangle. Each block event switches one more block of a
// fixed list on; every switch of the whole-box mirror switches them all off.
#pragma once

#include "pieces/one/PixelStore.h"

#include <cstdint>
#include <vector>

class ClipBox;

// Top-bottom mirror of the columns x0 .. x1 (both included) between rows y0 and y1: row y0 + j
// is exchanged with row y1 - j while W x j < (W x (y1 - y0)) / 2, W the store's width.
// Pixels outside the store are left alone.
void flipColumns(PixelStore store, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Top-bottom mirror of a shrinking span: column x0 + c mirrors rows y0 .. y0 + (s - c) for
// c = 0 .. s - 1, s = x1 - x0. Pixels outside the store are left alone.
void flipTriangle(PixelStore store, int32_t x0, int32_t y0, int32_t x1);

struct MirrorBlock {
    enum Kind : int32_t { mirror = 1, flip = 2, triangle = 3 };

    // Clipped to the box at once.
    MirrorBlock(float x0, float y0, float x1, float y1, int32_t kind, const ClipBox& box);
    void apply(PixelStore store) const;

    float x0, y0, x1, y1;
    int32_t kind;
};

class MirrorBlocks {
public:
    // The fixed list of 15 blocks inside the box.
    void buildBlocks(const ClipBox& box);
    // One main-part frame: an event switches one more block on; then the switched-on blocks
    // are applied in list order, each to the result of the ones before (without pixels, only
    // counted).
    void drawBlocks(PixelStore store, bool eventArrived, bool pixels = true);
    // Every block off (a switch of the whole-box mirror).
    void reset() { blockCount = 0; }

    int32_t getBlockCount() const { return blockCount; }
    void setBlockCount(int32_t count) { blockCount = count; }
    const std::vector<MirrorBlock>& getBlocks() const { return blocks; }

private:
    std::vector<MirrorBlock> blocks;
    int32_t blockCount = 0; // events since the last reset; all blocks apply once it passes 15
};
