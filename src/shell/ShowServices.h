// The show's process-wide services, made by the shell at start-up and kept until the process
// ends: the debug and file services, the projection tables, the render progress, and the
// services the pieces are handed (the clock, the scene manager, the clip store, the sound
// system and the render files' output, reporting into the progress).
#pragma once

#include "media/progress/RenderProgress.h"
#include "pieces/common/PieceServices.h"

class OTable;
class Servers;

struct ShowServices {
    // Starts the debug and file services (a failure: exit code 3 after the "Fatal error!" box),
    // then builds the projection tables.
    ShowServices();

    Servers* servers;
    OTable* projectionTables;
    // The render's progress line and window; a cancel asks "Really?" first.
    RenderProgress progress;
    PieceServices pieces;
};
