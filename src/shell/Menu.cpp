// The start menu's background, its five controls and its loop.
#include "shell/Menu.h"

#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "resources/OImage.h"
#include "shell/PushButton.h"
#include "shell/ShowSequence.h"
#include "shell/ShowState.h"
#include "shell/ToggleButton.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t backgroundTop = 15;

OImage* background = nullptr;
std::vector<uint32_t> backgroundCopy; // frame-buffer words, cut to what fits below y = 15
int32_t backgroundWidth = 0;
int32_t backgroundRows = 0;

ToggleButton* toggles[3] = {nullptr, nullptr, nullptr};
PushButton* startButton = nullptr;
PushButton* exitButton = nullptr;

// A menu pass lasts at least this long, so that every pass advances the show clock by at
// least one whole unit (1/71 s) and the glows and fades move even where presenting does not
// wait for the screen.
constexpr uint32_t shortestPassMs = 16;

bool menuEnds() {
    return Show::currentDevice->isCloseRequested() || Sys_IsQuitRequested() || startButton->isPressed() ||
           exitButton->isPressed();
}

} // namespace

void loadMenuBackground() {
    background = new OImage("data/yo8.jpg", -1, -1);
    // A picture larger than the frame buffer below its top line is cut to fit.
    backgroundWidth = std::min(background->getWidth(), MenuControl::rowLength);
    backgroundRows = std::min(background->getHeight(), MenuControl::rows - backgroundTop);
    backgroundCopy.assign(size_t(backgroundWidth) * size_t(backgroundRows), 0);
    const uint8_t* source = background->getImage();
    for (int32_t row = 0; row < backgroundRows; ++row) {
        for (int32_t column = 0; column < backgroundWidth; ++column) {
            const uint8_t* in = source + (size_t(row) * size_t(background->getWidth()) + size_t(column)) * 3;
            backgroundCopy[size_t(row) * size_t(backgroundWidth) + size_t(column)] =
                uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
        }
    }
}

void drawMenuBackground() {
    if (!Show::currentFrameBuffer || backgroundCopy.empty()) return;
    blitToFrameBuffer(Show::currentFrameBuffer->getPixels(),
                      reinterpret_cast<const uint8_t*>(backgroundCopy.data()), 0, backgroundTop,
                      backgroundWidth, backgroundRows);
}

void createMenuControls() {
    uint8_t* pixels = Show::currentFrameBuffer->getPixels();
    toggles[0] = new ToggleButton("data/entry1.jpg", 512, 192, pixels);
    toggles[1] = new ToggleButton("data/entry2.jpg", 512, 384, pixels);
    toggles[2] = new ToggleButton("data/entry3.jpg", 512, 576, pixels);
    startButton = new PushButton("data/start.jpg", 960, 624, pixels);
    exitButton = new PushButton("data/exit.jpg", 960, 704, pixels);
    // The toggles start as the command line chose the pieces (all on without "pieces=").
    for (int piece = 0; piece < 3; ++piece)
        if (!Show::pieceChosen[piece]) toggles[piece]->startOff();
}

void runMenu() {
    Timer& clock = Timer::instance();
    // TRIPTYCH_MARK_MENU: one line on stderr when the first menu frame is up (start-up benchmark).
    bool markFirstFrame = std::getenv("TRIPTYCH_MARK_MENU") != nullptr;
    while (!menuEnds()) {
        uint32_t passStart = Sys_Milliseconds();
        clock.update();
        drawMenuBackground();
        for (ToggleButton* toggle : toggles)
            toggle->update();
        startButton->update();
        exitButton->update();
        Show::currentDevice->present();
        if (markFirstFrame) std::fputs("triptych: first menu frame\n", stderr);
        markFirstFrame = false;
        Sys_Sleep(0);
        while (Sys_Milliseconds() - passStart < shortestPassMs)
            Sys_Sleep(1);
    }
    if (exitButton->isPressed()) Sys_RequestQuit();
    for (int piece = 0; piece < 3; ++piece)
        Show::pieceChosen[piece] = toggles[piece]->isOn();
}

ToggleButton* getMenuToggle(int32_t piece) {
    return piece >= 0 && piece < 3 ? toggles[piece] : nullptr;
}
PushButton* getStartButton() {
    return startButton;
}
PushButton* getExitButton() {
    return exitButton;
}
