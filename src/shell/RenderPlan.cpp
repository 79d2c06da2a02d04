// The render's plan and summary.
#include "shell/RenderPlan.h"

#include "media/masters/RenderSpace.h"
#include "pieces/common/ShowParts.h"
#include "platform/DiskSpace.h"
#include "shell/ShowOptions.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace RenderPlan {

namespace {
// Before the render: a warning when the current folder has less room than the planned masters
// are likely to take (a guide from the default data's sizes, not a promise).
void warnWhenRoomIsShort(const ShowOptions& options, double masterSeconds) {
    const int64_t frames = int64_t(masterSeconds * options.framesPerSecond) + 5; // each part ends a frame late
    const int64_t needed =
        frames * RenderSpace::typicalFrameBytes(options.codecName, 640, 480, options.framesPerSecond);
    const int64_t free = Sys_FreeDiskBytes(".");
    if (free < 0 || free >= needed) return;
    std::error_code unknown;
    const std::string folder = std::filesystem::current_path(unknown).string();
    std::fprintf(stderr,
                 "triptych: warning: %s has %.1f MB free, and the planned files in codec=%s take about %.1f MB "
                 "(an estimate); a full disk ends the render with the files written so far finished.\n",
                 folder.c_str(), double(free) / 1e6, options.codecName.c_str(), double(needed) / 1e6);
}
} // namespace

void plan(const ShowOptions& options, RenderProgress& progress) {
    std::vector<RenderPart> parts;
    double showSeconds = 0.0;
    for (const ShowPart& part : showParts)
        if (options.pieceChosen[size_t(part.piece)]) {
            parts.push_back({part.fileName, part.seconds()});
            showSeconds += part.seconds();
        }
    warnWhenRoomIsShort(options, showSeconds);
    if (options.deliver) parts.push_back({"triptych.mp4", showSeconds});
    progress.setPlan(parts, options.framesPerSecond);
}

void printSummary(const RenderProgress& progress, RenderProgress::Ending ending) {
    if (!progress.hasPlan()) return; // stopped before any piece: nothing was rendered
    for (const std::string& line : progress.summary(ending))
        std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace RenderPlan
