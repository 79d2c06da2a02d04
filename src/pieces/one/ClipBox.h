// Piece one's clip box: the 320x240 box centred in the frame buffer where the clip is shown,
// the three ways the clip is placed in it (opening slide-in, main part, closing) and the
// left-right mirror of a rectangle.
#pragma once

#include "pieces/one/PixelStore.h"

#include <cstdint>

class FrameBuffer;
class PieceClip;

// Exchanges the pixels (x0 + i, y) and (x1 - 1 - i, y) for i below (x1 - x0) / 2, in every row
// y0 .. y1, both included. Rows and columns outside the store are left out.
void mirrorRows(PixelStore store, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

class ClipBox {
public:
    static constexpr int32_t width = 320;
    static constexpr int32_t height = 240;

    explicit ClipBox(FrameBuffer* frameBuffer);

    int32_t left() const { return boxLeft; }
    int32_t top() const { return boxTop; }
    int32_t right() const { return boxLeft + width; }
    int32_t bottom() const { return boxTop + height; }

    // One opening frame: the clip's first frame slides in from the left after 3700 ms; the
    // margin left of the box stays black. elapsedMs and timeUnits are the show clock's. Without
    // pixels only the slide moves on (a frame computed, not drawn); so for the calls below.
    void drawOpeningSlide(PieceClip* clip, int32_t elapsedMs, int32_t timeUnits, bool pixels = true);
    // One main-part frame: the clip at clipTimeValue (ms), mirrored unless mirrorOff.
    void drawMainClip(PieceClip* clip, float clipTimeValue, bool mirrorOff, bool pixels = true);
    // One closing frame with a glitch: the clip at elapsedMs mod 3000, mirrored unless mirrorOff.
    void drawClosingClip(PieceClip* clip, int32_t elapsedMs, bool mirrorOff, bool pixels = true);

    // The frame drawn last in the main part or closing (3 bytes per pixel), read by the streaks.
    const uint8_t* getLastClipFrame() const { return lastClipFrame; }
    float getSlideX() const { return slideX; }

private:
    void drawBoxClip(PieceClip* clip, int32_t clipMs, bool mirrorOff, bool pixels);

    FrameBuffer* frameBuffer;
    int32_t boxLeft;
    int32_t boxTop;
    float slideX = -160.0f;  // left edge of the clip during the opening, pixels
    bool slideJumped = false;
    float slideLastTime = 0.0f; // clock units at the previous opening frame
    const uint8_t* lastClipFrame = nullptr;
};
