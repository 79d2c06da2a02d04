// The render files' output of the render tests, as the shell keeps one for the show.
#pragma once

#include "TestFiles.h"
#include "media/masters/RenderOutput.h"

// A sound system (never opened here unless a test opens it), its capture, and no report; it
// lives until exit, so the exit handler can still finish the files left open.
RenderOutput& testOutput();
