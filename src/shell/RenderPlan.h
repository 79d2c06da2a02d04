// The shell's side of a render: the plan of the files it will write, for the whole render's
// progress, and the summary of what was written when it ends.
#pragma once

#include "media/progress/RenderProgress.h"

struct ShowOptions;

namespace RenderPlan {
// The chosen pieces' parts, and the film when it is delivered, which covers them all again;
// warns on stderr first when the current folder looks too small for the masters.
void plan(const ShowOptions& options, RenderProgress& progress);
// Once the pieces began to render: each finished file, and whether the render finished, was
// cancelled or was stopped by an error.
void printSummary(const RenderProgress& progress, RenderProgress::Ending ending);
} // namespace RenderPlan
