// Piece one's beat bars: dark vertical bars with soft edges laid over the clip box on the bar
// beats. Each beat places its bar 10 pixels right of the previous one; after a pause of more
// than half a second the row starts again at the box's left edge. A bar fades over 2560 ms.
#pragma once

#include "pieces/one/PixelStore.h"

#include <array>
#include <cstdint>

// Darkens rows y0 .. y1 - 1 around column x: x by amount, x +- 1 by amount >> 1 and x +- 2 by
// amount >> 2. Pixels outside the store are left alone.
void darkenColumn(PixelStore store, int32_t x, int32_t y0, int32_t y1, int32_t amount);

struct BarSlot {
    int32_t x;  // pixel column
    float life; // free while <= 0
};

class BeatBars {
public:
    static constexpr int32_t slotCount = 128;

    // Every slot free at boxLeft, the next bar at boxLeft, both clocks at 0.
    void reset(int32_t boxLeft, int32_t boxTop);
    // One main-part frame at nowMs (show clock): a beat starts a bar in the first free slot
    // (dropped when all are busy); then every live bar darkens the box and ages (without
    // pixels, only ages).
    void drawBars(PixelStore store, bool eventArrived, int32_t nowMs, bool pixels = true);

    const std::array<BarSlot, slotCount>& getSlots() const { return barSlots; }
    int32_t getSpawnX() const { return barSpawnX; }

private:
    std::array<BarSlot, slotCount> barSlots{};
    int32_t boxLeft = 0;
    int32_t boxTop = 0;
    int32_t barSpawnX = 0;
    int32_t lastBarEvent = 0; // ms
    float barsLastTime = 0.0f; // ms, at the previous frame
};
