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
void warnWhenRoomIsShort(const ShowOptions& options, int64_t frames) {
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

void plan(const ShowOptions& options, const ShowTimeline& timeline, const RangePlan& range,
          RenderProgress& progress) {
    std::vector<RenderPart> parts;
    double showSeconds = 0.0;
    int64_t frames = 0;
    for (int p = 0; p < showPartCount; ++p) {
        const int64_t written = range.writtenFrames[size_t(p)];
        if (written <= 0) continue;
        const bool wholePart = written == timeline.frames[size_t(p)];
        const double seconds = double(written) / options.framesPerSecond;
        parts.push_back({showParts[p].fileName, seconds, wholePart ? 0 : written});
        showSeconds += seconds;
        frames += written;
    }
    warnWhenRoomIsShort(options, frames);
    if (options.deliver) parts.push_back({"triptych.mp4", showSeconds});
    progress.setPlan(parts, options.framesPerSecond);
}

void printSummary(const RenderProgress& progress, RenderProgress::Ending ending) {
    if (!progress.hasPlan()) return; // stopped before any piece: nothing was rendered
    for (const std::string& line : progress.summary(ending))
        std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace RenderPlan
