// The beat bars of piece one.
#include "pieces/one/BeatBars.h"

namespace {
void darkenAt(PixelStore& store, int32_t x, int32_t y, int32_t amount) {
    if (store.contains(x, y)) store.at(x, y) = darkenPixel(store.at(x, y), amount);
}
} // namespace

void darkenColumn(PixelStore store, int32_t x, int32_t y0, int32_t y1, int32_t amount) {
    for (int32_t y = y0; y < y1; ++y) {
        if (y < 0 || y >= store.height) continue;
        darkenAt(store, x - 2, y, amount >> 2);
        darkenAt(store, x + 2, y, amount >> 2);
        darkenAt(store, x - 1, y, amount >> 1);
        darkenAt(store, x + 1, y, amount >> 1);
        darkenAt(store, x, y, amount);
    }
}

void BeatBars::reset(int32_t boxLeft_, int32_t boxTop_) {
    boxLeft = boxLeft_;
    boxTop = boxTop_;
    barSpawnX = boxLeft;
    for (BarSlot& slot : barSlots) slot = {boxLeft, 0.0f};
    lastBarEvent = 0;
    barsLastTime = 0.0f;
}

void BeatBars::drawBars(PixelStore store, bool eventArrived, int32_t nowMs, bool pixels) {
    if (eventArrived) {
        if (nowMs - lastBarEvent > 500) barSpawnX = boxLeft;
        lastBarEvent = nowMs;
        for (BarSlot& slot : barSlots) {
            if (slot.life <= 0.0f) {
                slot = {barSpawnX, 128.0f};
                barSpawnX += 10;
                break;
            }
        }
    }
    float dt = float(nowMs) - barsLastTime;
    for (BarSlot& slot : barSlots) {
        if (slot.life > 0.0f) {
            // The box and the five rows below it.
            if (pixels) darkenColumn(store, slot.x, boxTop, boxTop + 245, int32_t(slot.life));
            slot.life -= dt * 0.05f;
        }
    }
    barsLastTime = float(nowMs);
}
