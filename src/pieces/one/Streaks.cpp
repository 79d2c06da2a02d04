// The letterbox streaks of piece one.
#include "pieces/one/Streaks.h"

#include "platform/ShowRandom.h"

#include <algorithm>

void drawStreak(PixelStore store, int32_t boxTop, Streak& streak, int32_t fade, bool pixels) {
    int32_t y0 = std::max(streak.y0, 0);
    int32_t y1 = streak.y1 >= store.height ? store.height - 1 : streak.y1;
    size_t k = 0;
    auto drawRow = [&](int32_t y) {
        if (k >= streak.colours.size()) return;
        uint32_t& colour = streak.colours[k++];
        colour = darkenPixel(colour, fade);
        if (pixels && store.contains(streak.x, y)) store.at(streak.x, y) = colour;
    };
    for (int32_t y = y0; y < boxTop; ++y) drawRow(y);
    for (int32_t y = boxTop + 240; y < y1; ++y) drawRow(y);
}

void Streaks::spawn(PixelStore& store, const uint8_t* clipFrame, int32_t clipFramePixels) {
    // Columns are drawn from the 320 around the centre; a store that narrow has none.
    if (store.width <= 320) return;
    auto streak = std::make_unique<Streak>();
    streak->x = ShowRandom::next() % (store.width - 320) + 160;
    streak->y0 = ShowRandom::next() % 50;
    streak->y1 = store.height - (ShowRandom::next() % 50) - 1;
    int32_t count = std::max(streak->y1 - streak->y0, 0);
    streak->colours.resize(size_t(count));
    for (uint32_t& colour : streak->colours) {
        int32_t pixel = ShowRandom::next() % 320;
        if (clipFrame && pixel < clipFramePixels) {
            const uint8_t* bgr = clipFrame + size_t(pixel) * 3;
            colour = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
        } else {
            colour = 0;
        }
    }
    streak->life = 255.0f;
    streaks.push_back(std::move(streak));
}

void Streaks::drawStreaks(PixelStore store, bool eventArrived, int32_t nowMs, const uint8_t* clipFrame,
                          int32_t clipFramePixels, bool pixels) {
    if (eventArrived) spawn(store, clipFrame, clipFramePixels);
    float dt = float(nowMs) - streaksLastTime;
    for (auto& streak : streaks) {
        if (!streak) continue;
        drawStreak(store, boxTop, *streak, int32_t(255.0f - streak->life), pixels);
        streak->life -= dt * 0.033333335f;
        if (streak->life < 0.0f) streak.reset();
    }
    streaksLastTime = float(nowMs);
}
