// Loading a pair's pictures and drawing its dissolve with the product table.
#include "pieces/three/ImagePair.h"

#include "media/clips/ProductTable.h"
#include "platform/ShowFailure.h"
#include "resources/OImage.h"

#include <algorithm>

std::shared_ptr<const PairPictures> convertPairPictures(const std::string& photographName,
                                                        const uint8_t* photograph, int32_t width,
                                                        int32_t height, const std::string& fadeMapName,
                                                        const uint8_t* fadeMap, int32_t fadeWidth,
                                                        int32_t fadeHeight) {
    if (fadeWidth < width || fadeHeight < height)
        throw ShowFailure(1, "couldn't load the fade map " + fadeMapName + " (" + std::to_string(fadeWidth) +
                                 "x" + std::to_string(fadeHeight) + ") of the photograph " + photographName +
                                 " (" + std::to_string(width) + "x" + std::to_string(height) +
                                 "): the fade map must be at least as large as its photograph");
    auto pictures = std::make_shared<PairPictures>();
    pictures->width = width;
    pictures->height = height;
    pictures->image.resize(size_t(width) * size_t(height));
    pictures->fade.resize(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = photograph + size_t(y) * size_t(width) * 3;
        const uint8_t* fadeIn = fadeMap + size_t(y) * size_t(fadeWidth) * 3;
        uint32_t* out = pictures->image.data() + size_t(y) * size_t(width);
        uint8_t* fadeOut = pictures->fade.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x, in += 3, fadeIn += 3) {
            out[x] = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
            fadeOut[x] = fadeIn[0];
        }
    }
    return pictures;
}

std::shared_ptr<const PairPictures> loadPairPictures(FileServer& files, const std::string& photographName,
                                                     const std::string& fadeMapName) {
    OImage photograph(files, photographName.c_str(), -1, -1);
    OImage fadeMap(files, fadeMapName.c_str(), -1, -1);
    return convertPairPictures(photographName, photograph.getImage(), photograph.getWidth(),
                               photograph.getHeight(), fadeMapName, fadeMap.getImage(), fadeMap.getWidth(),
                               fadeMap.getHeight());
}

namespace {
void addEnvelope(FloatTrack& track, const EnvelopeKey* keys) {
    for (; keys->value != -1.0f; ++keys)
        track.addKey(keys->value, int32_t(keys->timeMs));
}
} // namespace

ImagePair::ImagePair(std::shared_ptr<const PairPictures> pictures_, int32_t centreX, int32_t centreY,
                     const EnvelopeKey* reveal, const EnvelopeKey* gain, int32_t screenWidth,
                     int32_t screenHeight)
    : pictures(std::move(pictures_)) {
    const int32_t width = pictures->width;
    const int32_t height = pictures->height;
    left = centreX - width / 2;
    top = centreY - height / 2;
    x0 = std::clamp(-left, 0, width);
    x1 = std::clamp(screenWidth - left, x0, width);
    y0 = std::clamp(-top, 0, height);
    y1 = std::clamp(screenHeight - top, y0, height);
    addEnvelope(revealTrack, reveal);
    addEnvelope(gainTrack, gain);
}

void ImagePair::weightsFor(float level, float gain, uint8_t weights[256]) {
    for (int32_t fade = 0; fade < 256; ++fade) {
        const float weight = (level - float(fade)) * gain;
        weights[fade] = weight >= 255.0f ? 255 : weight > 0.0f ? uint8_t(int32_t(weight)) : 0;
    }
}

void ImagePair::draw(uint32_t* screen, int32_t screenStride, int32_t nowMs, PairStarts& starts, bool pixels) {
    const int32_t startTime = starts.times[starts.index];
    if (startTime != -1 && nowMs > startTime && !started) {
        revealTrack.start(nowMs);
        gainTrack.start(nowMs);
        started = true;
        ++starts.index;
    }
    if (!pixels) return;
    const float level = revealTrack.valueAt(nowMs) * 255.0f;
    const float gain = gainTrack.valueAt(nowMs);
    if (!(gain > 0.0f)) return; // also before the start and after the last gain key
    uint8_t weights[256];
    weightsFor(level, gain, weights);

    const uint8_t* products = productTable();
    const size_t width = size_t(pictures->width);
    const int32_t columns = x1 - x0;
    for (int32_t y = y0; y < y1; ++y) {
        // Row pointers start at the first visible column, so nothing points outside the screen.
        const uint8_t* fade = pictures->fade.data() + size_t(y) * width + size_t(x0);
        const uint32_t* in = pictures->image.data() + size_t(y) * width + size_t(x0);
        uint32_t* out = screen + size_t(top + y) * size_t(screenStride) + size_t(left + x0);
        for (int32_t x = 0; x < columns; ++x) {
            const uint32_t w = weights[fade[x]];
            if (w == 0) continue;
            const uint32_t behind = out[x];
            if (w == 255) { // table row 255 is the identity and row 0 all zero
                out[x] = (behind & 0xFF000000u) | in[x];
                continue;
            }
            const uint8_t* picture = products + w * 256;
            const uint8_t* back = products + (255 - w) * 256;
            const uint32_t source = in[x];
            out[x] = (behind & 0xFF000000u) | uint32_t(picture[source & 0xFF] + back[behind & 0xFF]) |
                     uint32_t(picture[source >> 8 & 0xFF] + back[behind >> 8 & 0xFF]) << 8 |
                     uint32_t(picture[source >> 16 & 0xFF] + back[behind >> 16 & 0xFF]) << 16;
        }
    }
}
