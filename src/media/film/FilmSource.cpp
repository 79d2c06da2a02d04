// The reading thread of the delivery: masters decoded and enlarged with exact area averaging
// (at 640x480, 9 film pixels for every 4 master pixels each way at 1080p, 9 for every 2 at
// 2160p), into a few recycled pictures.
#include "media/film/FilmSource.h"

#include "media/film/AreaScaler.h"
#include "media/film/DeliveryFailure.h"
#include "media/film/MasterReader.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

#include <cstring>

namespace {
// Black in limited-range YCbCr.
constexpr uint8_t blackLevels[3] = {16, 128, 128};

// Draws master pictures into film pictures: enlarged to the film's height, centred.
class FilmCanvas {
  public:
    FilmCanvas(int32_t sourceWidth, int32_t sourceHeight, int32_t filmWidthIn, int32_t filmHeightIn)
        // Sizes and the left edge stay even for 4:2:0.
        : filmWidth(filmWidthIn), filmHeight(filmHeightIn),
          scaledWidth(int32_t(int64_t(sourceWidth) * filmHeightIn / sourceHeight) & ~1),
          left(((filmWidthIn - scaledWidth) / 2) & ~1), luma(sourceWidth, sourceHeight, scaledWidth, filmHeightIn),
          chroma(sourceWidth, sourceHeight, scaledWidth / 2, filmHeightIn / 2) {}

    void draw(const PlanarPicture& source, AVFrame* picture) {
        for (int plane = 0; plane < 3; ++plane) {
            const int32_t shift = plane == 0 ? 0 : 1;
            const int32_t rows = filmHeight >> shift, width = filmWidth >> shift;
            const int32_t start = left >> shift, inner = scaledWidth >> shift;
            uint8_t* data = picture->data[plane];
            const int stride = picture->linesize[plane];
            for (int32_t y = 0; y < rows; ++y) {
                uint8_t* row = data + std::ptrdiff_t(y) * stride;
                std::memset(row, blackLevels[plane], size_t(start));
                std::memset(row + start + inner, blackLevels[plane], size_t(width - start - inner));
            }
            (plane == 0 ? luma : chroma)
                .scale(source.planes[plane], source.strides[plane], data + start, stride);
        }
    }

  private:
    int32_t filmWidth, filmHeight, scaledWidth, left;
    AreaScaler luma, chroma;
};
} // namespace

FilmSource::FilmSource(std::vector<std::string> names, int32_t width, int32_t height, int32_t filmWidthIn,
                       int32_t filmHeightIn, Observer observerIn)
    : fileNames(std::move(names)), sourceWidth(width), sourceHeight(height), filmWidth(filmWidthIn),
      filmHeight(filmHeightIn), observer(std::move(observerIn)) {
    reader = std::thread([this] { run(); });
}

FilmSource::~FilmSource() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    reader.join();
    for (AVFrame* picture : all)
        av_frame_free(&picture);
}

FilmSource::Item FilmSource::next() {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [&] { return !ready.empty() || failure; });
    if (ready.empty()) std::rethrow_exception(failure);
    Item item = std::move(ready.front());
    ready.pop_front();
    changed.notify_all();
    return item;
}

void FilmSource::recycle(AVFrame* picture) {
    if (!picture) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        spare.push_back(picture);
    }
    changed.notify_all();
}

AVFrame* FilmSource::takeFreePicture() {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [&] { return stopping || !spare.empty() || allocated < pictureCount; });
    if (stopping) return nullptr;
    if (!spare.empty()) {
        AVFrame* picture = spare.back();
        spare.pop_back();
        guard.unlock();
        // The encoder may still hold the buffer; then the picture gets a new one.
        if (av_frame_make_writable(picture) < 0)
            failDelivery("Couldn't make a picture for", "the film", AVERROR(ENOMEM));
        return picture;
    }
    allocated += 1;
    guard.unlock();
    AVFrame* picture = av_frame_alloc();
    if (picture) {
        std::lock_guard<std::mutex> registered(lock);
        all.push_back(picture);
    }
    if (!picture) failDelivery("Couldn't make a picture for", "the film", AVERROR(ENOMEM));
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = filmWidth;
    picture->height = filmHeight;
    if (int result = av_frame_get_buffer(picture, 0); result < 0)
        failDelivery("Couldn't make a picture for", "the film", result);
    return picture;
}

void FilmSource::push(Item&& item) {
    {
        std::lock_guard<std::mutex> guard(lock);
        ready.push_back(std::move(item));
    }
    changed.notify_all();
}

void FilmSource::run() {
    try {
        FilmCanvas canvas(sourceWidth, sourceHeight, filmWidth, filmHeight);
        int64_t frame = 0;
        for (size_t file = 0; file < fileNames.size(); ++file) {
            const std::string& fileName = fileNames[file];
            MasterReader master(fileName);
            Item item;
            PlanarPicture source;
            while (master.readPicture(source, item.sound)) {
                if (source.width != sourceWidth || source.height != sourceHeight)
                    failDelivery("Couldn't put pictures of another size into the film from", fileName,
                                 AVERROR(EINVAL));
                item.picture = takeFreePicture();
                if (!item.picture) return;
                if (observer) observer(source, file, frame);
                frame += 1;
                canvas.draw(source, item.picture);
                push(std::move(item));
                item = Item();
            }
            push(std::move(item)); // the end of this master
        }
    } catch (...) {
        std::lock_guard<std::mutex> guard(lock);
        failure = std::current_exception();
        changed.notify_all();
    }
}
