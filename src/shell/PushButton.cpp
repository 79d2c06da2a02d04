// The push button's animation and drawing.
#include "shell/PushButton.h"

#include <utility>

PushButton::PushButton(ControlImage image, int32_t x_, int32_t y_, uint8_t* destination_)
    : MenuControl(std::move(image), x_, y_, destination_, stateOff, 0.0f, 0.4f) {}

void PushButton::animate(int32_t frameStep) {
    animateShared(frameStep);
    if (highlight < 0.4f) highlight = 0.4f;
}

void PushButton::draw() {
    for (int32_t r = 0; r < height; ++r) {
        for (int32_t c = 0; c < width; ++c) {
            uint32_t pixel = pixels[size_t(r) * size_t(width) + size_t(c)];
            auto scaled = [&](int32_t value) { return uint8_t(int32_t(float(value) * highlight)); };
            put(c, r, scaled(pixel & 0xFF), scaled((pixel >> 8) & 0xFF), scaled((pixel >> 16) & 0xFF));
        }
    }
}
