// What the shell hands each piece's entry points: the display pair the piece draws on, the render
// settings of video mode, the random seed chosen on the command line, and the quit request.
#pragma once

#include "platform/QuitRequest.h"

#include <cstdint>
#include <optional>
#include <string>

class DisplayDevice;
class FrameBuffer;

struct PieceContext {
    // The 640x480 pair the pieces present through.
    DisplayDevice* device = nullptr;
    FrameBuffer* frameBuffer = nullptr;
    // Render mode: every frame goes to the piece's AVI files at framesPerSecond, in codecName.
    bool videoMode = false;
    int32_t framesPerSecond = 25;
    std::string codecName = "lossless";
    // "seed=N": the show's random generator is seeded with N where it would take the clock.
    std::optional<uint32_t> seed;
    // The quit request, read once per frame; set when a frame cannot be written.
    bool (*isQuitRequested)() = Sys_IsQuitRequested;
    void (*requestQuit)() = Sys_RequestQuit;
};
