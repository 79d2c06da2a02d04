// The toggle's animation and its drawing: colour toward grey as brightness falls, and a frame
// on the picture's outermost pixels that glows with the highlight.
#include "shell/ToggleButton.h"

#include <utility>

ToggleButton::ToggleButton(ControlImage image, int32_t x_, int32_t y_, uint8_t* destination_)
    : MenuControl(std::move(image), x_, y_, destination_, stateOn, 1.0f, 0.0f) {
    x = x_ - width / 2;
    y = y_ - height / 2;
}

void ToggleButton::animate(int32_t frameStep) {
    animateShared(frameStep);
}

namespace {
uint8_t mixChannel(int32_t value, int32_t grey, float brightness) {
    int32_t out = int32_t((1.0f - brightness) * (float(grey) * brightness) + float(value) * brightness);
    return uint8_t(out);
}

uint8_t glowChannel(uint8_t value, float highlight) {
    int32_t out = int32_t(float(value) * highlight * 1.5f);
    return uint8_t(out < 0 ? 0 : out > 255 ? 255 : out);
}
} // namespace

void ToggleButton::draw() {
    for (int32_t r = 0; r < height; ++r) {
        for (int32_t c = 0; c < width; ++c) {
            uint32_t pixel = pixels[size_t(r) * size_t(width) + size_t(c)];
            int32_t blue = pixel & 0xFF, green = (pixel >> 8) & 0xFF, red = (pixel >> 16) & 0xFF;
            int32_t grey = (blue + green + red) / 3;
            uint8_t outRed = mixChannel(red, grey, brightness);
            uint8_t outGreen = mixChannel(green, grey, brightness);
            uint8_t outBlue = mixChannel(blue, grey, brightness);
            if (r == 0 || r == height - 1 || c == 0 || c == width - 1) {
                outRed = glowChannel(outRed, highlight);
                outGreen = glowChannel(outGreen, highlight);
                outBlue = glowChannel(outBlue, highlight);
            }
            put(c, r, outBlue, outGreen, outRed);
        }
    }
}
