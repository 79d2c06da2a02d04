// The start menu's background, its five controls and its loop.
#include "shell/Menu.h"

#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "resources/OImage.h"
#include "shell/Displays.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t backgroundTop = 15;

// A menu pass lasts at least this long, so that every pass advances the show clock by at
// least one whole unit (1/71 s) and the glows and fades move even where presenting does not
// wait for the screen.
constexpr uint32_t shortestPassMs = 16;

} // namespace

bool Menu::ends(DisplayDevice& device) const {
    return device.isCloseRequested() || Sys_IsQuitRequested() || startButton->isPressed() ||
           exitButton->isPressed();
}

void Menu::loadBackground(FileServer& files) {
    OImage background(files, "data/yo8.jpg", -1, -1);
    // A picture larger than the frame buffer below its top line is cut to fit.
    backgroundWidth = std::min(background.getWidth(), MenuControl::rowLength);
    backgroundRows = std::min(background.getHeight(), MenuControl::rows - backgroundTop);
    backgroundCopy.assign(size_t(backgroundWidth) * size_t(backgroundRows), 0);
    const uint8_t* source = background.getImage();
    for (int32_t row = 0; row < backgroundRows; ++row) {
        for (int32_t column = 0; column < backgroundWidth; ++column) {
            const uint8_t* in = source + (size_t(row) * size_t(background.getWidth()) + size_t(column)) * 3;
            backgroundCopy[size_t(row) * size_t(backgroundWidth) + size_t(column)] =
                uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
        }
    }
}

void Menu::drawBackground(FrameBuffer* frameBuffer) const {
    if (!frameBuffer || backgroundCopy.empty()) return;
    blitToFrameBuffer(frameBuffer->getPixels(), reinterpret_cast<const uint8_t*>(backgroundCopy.data()), 0,
                      backgroundTop, backgroundWidth, backgroundRows);
}

void Menu::createControls(FileServer& files, FrameBuffer* frameBuffer, const std::array<bool, 3>& chosen) {
    uint8_t* pixels = frameBuffer->getPixels();
    toggles[0] = std::make_unique<ToggleButton>(ControlImage::load(files, "data/entry1.jpg"), 512, 192, pixels);
    toggles[1] = std::make_unique<ToggleButton>(ControlImage::load(files, "data/entry2.jpg"), 512, 384, pixels);
    toggles[2] = std::make_unique<ToggleButton>(ControlImage::load(files, "data/entry3.jpg"), 512, 576, pixels);
    startButton = std::make_unique<PushButton>(ControlImage::load(files, "data/start.jpg"), 960, 624, pixels);
    exitButton = std::make_unique<PushButton>(ControlImage::load(files, "data/exit.jpg"), 960, 704, pixels);
    // The toggles start as the command line chose the pieces (all on without "pieces=").
    for (size_t piece = 0; piece < 3; ++piece)
        if (!chosen[piece]) toggles[piece]->startOff();
}

bool Menu::run(DisplayDevice& device, FrameBuffer* frameBuffer, Timer& clock, std::array<bool, 3>& chosen) {
    // TRIPTYCH_MARK_MENU: one line on stderr when the first menu frame is up (start-up benchmark).
    bool markFirstFrame = std::getenv("TRIPTYCH_MARK_MENU") != nullptr;
    while (!ends(device)) {
        uint32_t passStart = Sys_Milliseconds();
        clock.update();
        const int32_t step = clock.getDeltaTime();
        drawBackground(frameBuffer);
        for (auto& toggle : toggles)
            toggle->update(step);
        startButton->update(step);
        exitButton->update(step);
        device.present();
        if (markFirstFrame) std::fputs("triptych: first menu frame\n", stderr);
        markFirstFrame = false;
        Sys_Sleep(0);
        while (Sys_Milliseconds() - passStart < shortestPassMs)
            Sys_Sleep(1);
    }
    for (size_t piece = 0; piece < 3; ++piece)
        chosen[piece] = toggles[piece]->isOn();
    return exitButton->isPressed();
}
