// What the shell hands each piece's entry points: the display pair the piece draws on, the render
// settings of video mode, the random seed chosen on the command line, the show's services and
// the quit request. The services belong to the shell and outlive every piece.
#pragma once

#include "pieces/common/PartPlan.h"
#include "platform/QuitRequest.h"

#include <cstdint>
#include <optional>
#include <string>

class ClipLibrary;
class DisplayDevice;
class FileServer;
class FrameBuffer;
class LiveControl;
class RenderOutput;
class SceneManager;
class SoundSystem;
class Timer;

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
    // Which frames of each part are shown, written or only computed (all of them by default).
    PiecePlan plan;

    // The show clock, the archive's files, the sound, the clip store and the scene manager.
    Timer* clock = nullptr;
    FileServer* files = nullptr;
    SoundSystem* sound = nullptr;
    ClipLibrary* clips = nullptr;
    SceneManager* scenes = nullptr;
    // Video mode: where the pieces' render files are made.
    RenderOutput* render = nullptr;
    // Live: called after each frame shown (the viewer's keys, the readout); may be null.
    LiveControl* live = nullptr;

    // The quit request, read once per frame; set when a frame cannot be written.
    bool (*isQuitRequested)() = Sys_IsQuitRequested;
    void (*requestQuit)() = Sys_RequestQuit;
};
