// Loading of control pictures and the animation steps both menu controls share.
#include "shell/MenuControl.h"

#include "platform/DisplayDevice.h"
#include "resources/OImage.h"

#include <utility>

ControlImage ControlImage::load(FileServer& files, const char* name) {
    OImage image(files, name, -1, -1);
    ControlImage result;
    result.width = image.getWidth();
    result.height = image.getHeight();
    result.pixels.resize(size_t(result.width) * size_t(result.height));
    const uint8_t* source = image.getImage();
    for (size_t k = 0; k < result.pixels.size(); ++k)
        result.pixels[k] =
            uint32_t(source[3 * k]) << 16 | uint32_t(source[3 * k + 1]) << 8 | source[3 * k + 2];
    return result;
}

MenuControl::MenuControl(ControlImage image, int32_t x_, int32_t y_, uint8_t* destination_, int32_t state_,
                         float brightness_, float highlight_)
    : highlight(highlight_), state(state_), brightness(brightness_), x(x_), y(y_), width(image.width),
      height(image.height), destination(destination_), pixels(std::move(image.pixels)) {}

void MenuControl::update(int32_t frameStep) {
    animate(frameStep);
    draw();
}

void MenuControl::animateShared(int32_t step) {
    int32_t mouseX = DisplayInput::getMouseX(), mouseY = DisplayInput::getMouseY();
    hoverState = (x < mouseX && mouseX < x + width && y < mouseY && mouseY < y + height) ? 2 : 1;

    if (hoverState == 2) {
        highlight += float(step) * 0.2f;
        if (highlight > 1.0f) highlight = 1.0f;
    } else {
        highlight -= float(step) * 0.05f;
        if (highlight < 0.0f) highlight = 0.0f;
    }

    if (DisplayInput::takeClickIn(x, y, x + width, y + height)) state = state == stateOn ? stateOff : stateOn;

    if (state == stateOn) {
        brightness += float(step) * 0.02f;
        if (brightness > 1.0f) brightness = 1.0f;
    } else {
        brightness -= float(step) * 0.07f;
        if (brightness < 0.05f) brightness = 0.05f;
    }
}

void MenuControl::put(int32_t c, int32_t r, uint8_t blue, uint8_t green, uint8_t red) {
    int32_t column = x + c, row = y + r;
    if (column < 0 || column >= rowLength || row < 0 || row >= rows || !destination) return;
    uint8_t* out = destination + (size_t(row) * rowLength + size_t(column)) * 4;
    out[0] = blue;
    out[1] = green;
    out[2] = red;
}
