// Piece one's row jitter: every pixel of the clip box's rows takes the value of a pixel a
// random distance to its left or right, smearing the picture sideways. The offsets come from
// a small shift-register generator of the piece's own.
#pragma once

#include "pieces/one/PixelStore.h"

#include <cstdint>

class RowJitter {
public:
    // Advances the generator; the result and the seed never go negative.
    int32_t nextJitter();
    // For x from `from` while below `to`: row y, pixel x = store pixel (y, x + r + shift) with
    // r = nextJitter() mod amplitude, read while the row is being rewritten, so pixels already
    // moved can move again. Reads before the row's start or past its end take the neighbouring
    // rows' pixels, held to the store; columns and rows outside the store are not written.
    void shuffleRow(PixelStore store, int32_t y, int32_t from, int32_t to, int32_t amplitude, int32_t shift);
    // Jitters the whole width of the 241 rows boxTop .. boxTop + 240; nothing for amplitude <= 0.
    void jitterRows(PixelStore store, int32_t boxTop, int32_t amplitude);
    // What jitterRows does to the generator, without touching a pixel.
    void skipRows(PixelStore store, int32_t boxTop, int32_t amplitude);

    int32_t getSeed() const { return jitterSeed; }

private:
    int32_t jitterSeed = 1638; // kept from call to call and from part to part
};
