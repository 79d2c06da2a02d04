// The film step: which masters go in, in what order and under which chapter titles, and what the
// terminal is told.
#include "shell/FilmStep.h"

#include "media/film/ShowDelivery.h"
#include "media/progress/RenderProgress.h"
#include "platform/QuitRequest.h"
#include "pieces/common/ShowParts.h"
#include "shell/ShowOptions.h"

#include <algorithm>
#include <cstdio>

void deliverFilm(const ShowOptions& options, const std::array<int64_t, showPartCount>& partFrames,
                 RenderProgress& progress) {
    DeliveryJob job;
    if (Sys_IsQuitRequested()) {
        std::fprintf(stderr, "triptych: the render was cancelled, so %s is not written.\n",
                     job.outputName.c_str());
        return;
    }
    for (int p = 0; p < showPartCount; ++p)
        if (partFrames[size_t(p)] > 0) job.parts.push_back(DeliveryPart{showParts[p].fileName, showParts[p].title});
    job.framesPerSecond = options.framesPerSecond;
    job.isCancelled = [] { return Sys_IsQuitRequested(); };
    int64_t filmFrames = 0;
    job.progress = [&](int64_t done, int64_t total) {
        // The total is what the masters' headers announce; the percent never passes 100.
        const int64_t percent = total > 0 ? std::min<int64_t>(done * 100 / total, 100) : 0;
        progress.report(job.outputName, int32_t(percent), int32_t(done));
        filmFrames = done;
    };
    DeliveryOutcome outcome = ShowDelivery::deliver(job);
    if (outcome == DeliveryOutcome::Written)
        progress.fileFinished(job.outputName, filmFrames, job.framesPerSecond);
    progress.finishLine();
    if (outcome == DeliveryOutcome::Cancelled)
        std::fprintf(stderr, "triptych: writing %s was cancelled; no partial film is left.\n",
                     job.outputName.c_str());
    else if (outcome == DeliveryOutcome::NothingToDeliver)
        std::fprintf(stderr, "triptych: no part was rendered, so %s is not written.\n",
                     job.outputName.c_str());
    else
        std::fprintf(stderr, "triptych: wrote %s.\n", job.outputName.c_str());
}
