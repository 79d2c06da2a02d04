// Making, switching and closing the shell's displays.
#include "shell/Displays.h"

#include <cstring>

void clearFrameBuffer(FrameBuffer* frameBuffer) {
    if (!frameBuffer) return;
    std::memset(frameBuffer->getPixels(), 0,
                size_t(frameBuffer->getWidth()) * size_t(frameBuffer->getHeight()) * 4);
}

void blitToFrameBuffer(uint8_t* destination, const uint8_t* source, int32_t x, int32_t y, int32_t width,
                       int32_t rows) {
    for (int32_t row = 0; row < rows; ++row)
        std::memcpy(destination + (size_t(y + row) * 1024 + size_t(x)) * 4, source + size_t(row) * width * 4,
                    size_t(width) * 4);
}

void Displays::openMenuDisplay() {
    menu = DisplayPair::create(1024, 768);
    menu.device->open();
}

void Displays::makeShowDisplay() {
    show = DisplayPair::create(640, 480);
}

void Displays::switchToShowDisplay(bool hidden) {
    DisplayInput::setCursorVisible(false);
    if (menu.device) menu.device->close();
    menu.frameBuffer.reset();
    menu.device.reset();
    writeDisplaySettings(640, 480);
    showing = true;
    DisplayOptions::setHidden(hidden);
    if (!hidden && show.device) show.device->open();
}

void Displays::presentBlack() {
    clearFrameBuffer(currentFrameBuffer());
    if (current()) current()->present();
}

void Displays::closeCurrent() {
    if (current()) current()->close();
}
