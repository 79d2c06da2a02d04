// The render's plan and summary.
#include "shell/RenderPlan.h"

#include "pieces/common/ShowParts.h"
#include "shell/ShowOptions.h"

#include <cstdio>
#include <vector>

namespace RenderPlan {

void plan(const ShowOptions& options, RenderProgress& progress) {
    std::vector<RenderPart> parts;
    double showSeconds = 0.0;
    for (const ShowPart& part : showParts)
        if (options.pieceChosen[size_t(part.piece)]) {
            parts.push_back({part.fileName, part.seconds()});
            showSeconds += part.seconds();
        }
    if (options.deliver) parts.push_back({"triptych.mp4", showSeconds});
    progress.setPlan(parts, options.framesPerSecond);
}

void printSummary(const RenderProgress& progress, RenderProgress::Ending ending) {
    if (!progress.hasPlan()) return; // stopped before any piece: nothing was rendered
    for (const std::string& line : progress.summary(ending))
        std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace RenderPlan
