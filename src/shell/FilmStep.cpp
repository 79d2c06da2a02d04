// The film step: which masters go in, in what order and under which chapter titles, the chapter
// list and pictures that go with the film, and what the terminal is told.
#include "shell/FilmStep.h"

#include "media/film/ChapterList.h"
#include "media/film/ShowDelivery.h"
#include "media/progress/RenderProgress.h"
#include "platform/AtomicFile.h"
#include "platform/QuitRequest.h"
#include "platform/ShowFailure.h"
#include "pieces/common/ShowParts.h"
#include "shell/ShowOptions.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* chapterListName = "triptych.chapters.txt";

// The chapter list of the film as written, or on the terminal why there is none (a list left
// from an earlier film would not match this one, so it goes).
void writeChapterList(const std::vector<FilmChapter>& chapters, int32_t framesPerSecond) {
    const std::vector<ChapterList::Line> lines = ChapterList::make(chapters, framesPerSecond);
    if (!ChapterList::isUsable(lines)) {
        std::remove(chapterListName);
        std::fprintf(stderr,
                     "triptych: the film has %zu chapter%s of at least %d seconds; a video site needs %zu "
                     "for a chapter list, so %s is not written.\n",
                     lines.size(), lines.size() == 1 ? "" : "s", ChapterList::shortestSeconds,
                     ChapterList::fewestLines, chapterListName);
        return;
    }
    const std::string text = ChapterList::text(lines);
    const std::string problem = Sys_WriteFileAtomically(chapterListName, {FilePiece{text.data(), text.size()}});
    if (!problem.empty()) throw ShowFailure(1, problem);
    std::fprintf(stderr, "triptych: wrote %s, %zu chapters for the film's description.\n", chapterListName,
                 lines.size());
}

} // namespace

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
    job.filmHeight = options.deliverHeight;
    job.thumbnailName = "triptych.thumb.jpg";
    job.sheetName = "triptych.sheet.png";
    job.isCancelled = [] { return Sys_IsQuitRequested(); };
    int64_t filmFrames = 0;
    job.progress = [&](int64_t done, int64_t total) {
        // The total is what the masters' headers announce; the percent never passes 100.
        const int64_t percent = total > 0 ? std::min<int64_t>(done * 100 / total, 100) : 0;
        progress.report(job.outputName, int32_t(percent), int32_t(done));
        filmFrames = done;
    };
    const DeliveryResult result = ShowDelivery::deliver(job);
    if (result.outcome == DeliveryOutcome::Written)
        progress.fileFinished(job.outputName, filmFrames, job.framesPerSecond);
    progress.finishLine();
    if (result.outcome == DeliveryOutcome::Cancelled) {
        std::fprintf(stderr, "triptych: writing %s was cancelled; no partial film is left.\n",
                     job.outputName.c_str());
    } else if (result.outcome == DeliveryOutcome::NothingToDeliver) {
        std::fprintf(stderr, "triptych: no part was rendered, so %s is not written.\n",
                     job.outputName.c_str());
    } else {
        const int64_t second = result.thumbnailFrame / job.framesPerSecond;
        std::fprintf(stderr,
                     "triptych: wrote %s (%dx%d), %s (the most colourful of the film's pictures at whole "
                     "seconds, at %s) and %s (a picture every 10 seconds).\n",
                     job.outputName.c_str(), job.filmHeight / 9 * 16, job.filmHeight, job.thumbnailName.c_str(),
                     ChapterList::clock(second).c_str(), job.sheetName.c_str());
        writeChapterList(result.chapters, job.framesPerSecond);
    }
}
