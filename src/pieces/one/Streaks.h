// Piece one's letterbox streaks: thin vertical lines in the black bands above and below the
// clip box, coloured with random pixels of the clip's current frame; each streak darkens away
// a little more every frame and is gone after 7650 ms.
#pragma once

#include "pieces/one/PixelStore.h"

#include <cstdint>
#include <memory>
#include <vector>

struct Streak {
    int32_t x;
    int32_t y0;
    int32_t y1;
    std::vector<uint32_t> colours; // one per row y0 .. y1 - 1, darkened in place as it fades
    float life;
};

// Draws column x of the streak above the box (rows y0 .. boxTop - 1) and below it (rows
// boxTop + 240 .. y1 - 1), each row with the next colour entry after darkening that entry by
// fade. Rows, columns and colour entries outside their ranges are left out; without pixels the
// entries are darkened all the same.
void drawStreak(PixelStore store, int32_t boxTop, Streak& streak, int32_t fade, bool pixels = true);

class Streaks {
public:
    explicit Streaks(int32_t boxTop) : boxTop(boxTop) {}
    // One main-part frame at nowMs: a beat spawns a streak coloured from clipFrame (3 bytes
    // per pixel, the first 320 pixels sampled; null gives black), then every live streak is
    // drawn and ages; a streak whose life drops below 0 is freed. Without pixels the streaks
    // spawn, fade and age the same, and nothing is written to the store.
    void drawStreaks(PixelStore store, bool eventArrived, int32_t nowMs, const uint8_t* clipFrame,
                     int32_t clipFramePixels, bool pixels = true);

    // The streaks in spawn order; a freed streak leaves a null entry.
    const std::vector<std::unique_ptr<Streak>>& getStreaks() const { return streaks; }

private:
    void spawn(PixelStore& store, const uint8_t* clipFrame, int32_t clipFramePixels);

    int32_t boxTop;
    std::vector<std::unique_ptr<Streak>> streaks;
    float streaksLastTime = 0.0f; // ms, at the previous frame
};
