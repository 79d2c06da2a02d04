// The shell's two display pairs: the 1024x768 one of the menu, open first, and the 640x480 one
// of the intro and the pieces, made while the pieces load and current from the intro on; and the
// frame-buffer helpers the shell draws with.
#pragma once

#include "platform/DisplayPair.h"

#include <cstdint>

// Fills width x height x 4 bytes of the frame buffer with 0 (nothing for null).
void clearFrameBuffer(FrameBuffer* frameBuffer);
// Copies rows of width pixels from a packed source into a destination 1024 pixels wide.
void blitToFrameBuffer(uint8_t* destination, const uint8_t* source, int32_t x, int32_t y, int32_t width,
                       int32_t rows);

class Displays {
public:
    // The 1024x768 pair, opened.
    void openMenuDisplay();
    // The 640x480 pair, not opened; the settings are left at 640x480 for the pieces' loading.
    void makeShowDisplay();
    // The menu's pair closed and destroyed, the settings at 640x480, the show's pair current and,
    // unless hidden (rendering to files), opened.
    void switchToShowDisplay(bool hidden);

    DisplayDevice* current() { return showing ? show.device.get() : menu.device.get(); }
    FrameBuffer* currentFrameBuffer() { return showing ? show.frameBuffer.get() : menu.frameBuffer.get(); }
    DisplayDevice* showDevice() { return show.device.get(); }
    FrameBuffer* showFrameBuffer() { return show.frameBuffer.get(); }

    // Clears the current frame buffer and presents it.
    void presentBlack();
    // Closes the current device, if there is one.
    void closeCurrent();

private:
    DisplayPair menu;
    DisplayPair show;
    bool showing = false;
};
