// The shell's side of a render: the plan of the files it will write, for the whole render's
// progress, and the summary of what was written when it ends.
#pragma once

#include "media/progress/RenderProgress.h"

#include "shell/ShowRange.h"

struct ShowOptions;

namespace RenderPlan {
// The files of the range's plan (every chosen part's for a whole render), and the film when it
// is delivered, which covers them all again; warns on stderr first when the current folder looks
// too small for the masters.
void plan(const ShowOptions& options, const ShowTimeline& timeline, const RangePlan& range,
          RenderProgress& progress);
// Once the pieces began to render: each finished file, and whether the render finished, was
// cancelled or was stopped by an error.
void printSummary(const RenderProgress& progress, RenderProgress::Ending ending);
} // namespace RenderPlan
