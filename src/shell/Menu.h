// The start menu: background picture, three piece toggles and the start and exit buttons,
// drawn into the 1024x768 frame buffer, and its loop.
#pragma once

#include "shell/PushButton.h"
#include "shell/ToggleButton.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class DisplayDevice;
class FileServer;
class FrameBuffer;
class Timer;

class Menu {
public:
    // Loads "data/yo8.jpg" from files and keeps a 32-bit copy of it.
    void loadBackground(FileServer& files);
    // Copies the background to x = 0, y = 15 of the 1024-pixel-wide frame buffer.
    void drawBackground(FrameBuffer* frameBuffer) const;
    // Creates the five controls over the frame buffer's pixels; the toggles start as chosen.
    void createControls(FileServer& files, FrameBuffer* frameBuffer, const std::array<bool, 3>& chosen);
    // Runs the menu loop on device until start, exit, Escape, a close or a quit request, the
    // controls animated by clock. Then sets chosen from the toggles; returns whether exit was
    // pressed.
    bool run(DisplayDevice& device, FrameBuffer* frameBuffer, Timer& clock, std::array<bool, 3>& chosen);

    // The controls once created (null before): toggles for piece one, two, three; start; exit.
    ToggleButton* getToggle(int32_t piece) { return piece >= 0 && piece < 3 ? toggles[size_t(piece)].get() : nullptr; }
    PushButton* getStartButton() { return startButton.get(); }
    PushButton* getExitButton() { return exitButton.get(); }

private:
    bool ends(DisplayDevice& device) const;

    std::vector<uint32_t> backgroundCopy; // frame-buffer words, cut to what fits below y = 15
    int32_t backgroundWidth = 0;
    int32_t backgroundRows = 0;
    std::array<std::unique_ptr<ToggleButton>, 3> toggles;
    std::unique_ptr<PushButton> startButton;
    std::unique_ptr<PushButton> exitButton;
};
