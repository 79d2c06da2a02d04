// The services the pieces are handed, made once and kept for the whole process: the file
// service they read from, the show clock, the scene manager, the clip store, the sound system
// and the render files' output. The shell makes one for the show; tests and benchmarks make
// their own the same way.
#pragma once

#include "animation/SceneManager.h"
#include "media/clips/ClipLibrary.h"
#include "media/masters/RenderOutput.h"
#include "media/sound/SoundSystem.h"
#include "pieces/common/PieceContext.h"
#include "platform/Timer.h"

class FileServer;

struct PieceServices {
    // report takes the render files' progress, finished files and warnings (none by default).
    explicit PieceServices(FileServer& files, RenderReport report = {});

    // A context with these services on the given display pair; the render settings are left
    // at their defaults for the caller to set.
    PieceContext contextFor(DisplayDevice* device, FrameBuffer* frameBuffer);

    FileServer& files;
    Timer clock;
    SceneManager scenes;
    ClipLibrary clips;
    SoundSystem sound;
    RenderOutput render;
};
