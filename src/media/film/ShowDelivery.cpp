// The delivery stage: each master is read back in turn, its pictures and its sound go into the
// film, and each part's sound is set to start exactly with its first picture.
#include "media/film/ShowDelivery.h"

#include "media/film/DeliveryFailure.h"
#include "media/film/FilmSource.h"
#include "media/film/FilmStills.h"
#include "media/film/FilmWriter.h"
#include "media/film/MasterReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace {

// The master sample frame at which video frame `frame` starts, by the masters' own rule.
int64_t soundStartOf(int64_t frame, int32_t framesPerSecond) {
    return frame * FilmWriter::masterSoundRate / framesPerSecond;
}

// The temporary film is removed unless it has been renamed into place.
struct TemporaryFile {
    std::string path;
    bool kept = false;
    ~TemporaryFile() {
        if (!kept) std::remove(path.c_str());
    }
};

// Copies the next master from source into the film; false when cancelled.
bool copyPart(FilmSource& source, FilmWriter& film, const DeliveryJob& job, int64_t framesTotal) {
    // The part's sound starts with its first picture: silence fills a gap the previous part
    // left, and sound that would reach back into the previous part is dropped.
    const int64_t start = soundStartOf(film.getFramesWritten(), job.framesPerSecond);
    int64_t toDrop = 0;
    if (film.getSoundWritten() < start)
        film.writeSilence(start - film.getSoundWritten());
    else
        toDrop = film.getSoundWritten() - start;

    for (bool first = true;; first = false) {
        FilmSource::Item item = source.next();
        // Sound after the last picture belongs to no frame of this part.
        if (!item.picture) return true;
        const int64_t pairs = int64_t(item.sound.size() / 2);
        const int64_t dropped = std::min(toDrop, pairs);
        toDrop -= dropped;
        film.writeSound(item.sound.data() + 2 * dropped, pairs - dropped);
        film.writePicture(item.picture, first);
        source.recycle(item.picture);
        if (job.progress) job.progress(film.getFramesWritten(), framesTotal);
        if (job.isCancelled && job.isCancelled()) return false;
    }
}

} // namespace

namespace ShowDelivery {

bool isAvailable(std::string* problem) {
    const char* missing = nullptr;
    if (!avcodec_find_encoder_by_name("libx264"))
        missing = "the libx264 H.264 encoder";
    else if (!avcodec_find_encoder_by_name("aac"))
        missing = "the AAC encoder";
    if (missing && problem)
        *problem =
            std::string("The FFmpeg libraries in use have no ") + missing +
            ", which \"deliver\" needs to write the MP4 film; render without \"deliver\", or install an "
            "FFmpeg built with it.";
    return missing == nullptr;
}

DeliveryResult deliver(const DeliveryJob& job) {
    DeliveryResult result;
    // The parts that were rendered, with the lengths their headers announce.
    std::vector<DeliveryPart> parts;
    std::vector<std::string> fileNames;
    int64_t framesTotal = 0;
    int32_t width = 0, height = 0;
    for (const DeliveryPart& part : job.parts) {
        std::error_code ignored;
        if (!std::filesystem::is_regular_file(part.fileName, ignored)) continue;
        MasterReader master(part.fileName);
        if (width == 0) {
            width = master.getWidth();
            height = master.getHeight();
        } else if (master.getWidth() != width || master.getHeight() != height) {
            failDelivery("Couldn't put pictures of another size into the film from", part.fileName,
                         AVERROR(EINVAL));
        }
        framesTotal += master.getFrameCount();
        parts.push_back(part);
        fileNames.push_back(part.fileName);
    }
    if (parts.empty() || framesTotal <= 0) return result;
    // The pictures are enlarged to the film's height and must fit its width.
    const int32_t filmHeight = job.filmHeight, filmWidth = job.filmHeight / 9 * 16;
    if (filmHeight < 2 || filmHeight % 18 != 0)
        failDelivery("Couldn't make a film of " + std::to_string(filmHeight) + " lines for", job.outputName,
                     AVERROR(EINVAL));
    if (width < 2 || height < 2 || height > filmHeight || int64_t(width) * filmHeight > int64_t(filmWidth) * height)
        failDelivery("Couldn't fit the pictures into the film from", parts.front().fileName, AVERROR(EINVAL));

    TemporaryFile temporary{job.outputName + ".part"};
    std::vector<std::string> titles;
    for (const DeliveryPart& part : parts) titles.push_back(part.title);
    FilmStills stills(job.framesPerSecond, titles);
    {
        FilmWriter film(temporary.path, job.framesPerSecond, filmWidth, filmHeight);
        FilmSource::Observer observer;
        if (!job.thumbnailName.empty() || !job.sheetName.empty())
            observer = [&stills](const PlanarPicture& picture, size_t file, int64_t frame) {
                stills.offer(picture, file, frame);
            };
        FilmSource source(fileNames, width, height, filmWidth, filmHeight, observer);
        for (const DeliveryPart& part : parts) {
            const int64_t before = film.getFramesWritten();
            const bool finished = copyPart(source, film, job, framesTotal);
            result.chapters.push_back(FilmChapter{part.title, film.getFramesWritten() - before});
            if (!finished) {
                result.outcome = DeliveryOutcome::Cancelled;
                return result;
            }
        }
        const int64_t end = soundStartOf(film.getFramesWritten(), job.framesPerSecond);
        if (film.getSoundWritten() < end) film.writeSilence(end - film.getSoundWritten());
        film.finish(result.chapters);
    }
    std::error_code error;
    std::filesystem::rename(temporary.path, job.outputName, error);
    if (error)
        failDelivery("Couldn't rename " + temporary.path + " to", job.outputName, AVERROR(error.value()));
    temporary.kept = true;
    result.outcome = DeliveryOutcome::Written;
    // The reading thread has ended with the film's source, so the stills are complete.
    if (!job.thumbnailName.empty()) stills.writeThumbnail(job.thumbnailName);
    if (!job.sheetName.empty()) stills.writeSheet(job.sheetName);
    result.thumbnailFrame = stills.getThumbnailFrame();
    return result;
}

} // namespace ShowDelivery
