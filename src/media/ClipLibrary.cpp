// The clip store: clips by name, drawing into frame buffers and the cross-fade with its roll.
#include "media/ClipLibrary.h"

#include "media/ProductTable.h"
#include "media/VideoClip.h"
#include "platform/FrameBuffer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <algorithm>

ClipLibrary& ClipLibrary::instance() {
    static ClipLibrary* theLibrary = new ClipLibrary;
    return *theLibrary;
}

ClipLibrary::~ClipLibrary() = default;

void ClipLibrary::addClip(const std::string& name, int32_t lengthMs) {
    clips[name] = std::make_unique<VideoClip>(name, lengthMs, 23, true);
}

void ClipLibrary::addClips(const std::vector<std::pair<std::string, int32_t>>& list) {
    for (const auto& [name, lengthMs] : list)
        VideoClip::prefetch(name, lengthMs, 23);
    for (const auto& [name, lengthMs] : list)
        addClip(name, lengthMs);
}

VideoClip* ClipLibrary::getClip(const std::string& name) {
    auto found = clips.find(name);
    return found == clips.end() ? nullptr : found->second.get();
}

void ClipLibrary::drawClip(FrameBuffer* frameBuffer, const std::string& name, int32_t timeMs) {
    if (VideoClip* clip = getClip(name)) clip->draw(frameBuffer, timeMs);
}

FrameBuffer* ClipLibrary::getClipSurface(const std::string& name) {
    VideoClip* clip = getClip(name);
    return clip ? clip->getSurface() : nullptr;
}

void ClipLibrary::clear() {
    clips.clear();
}

void ClipLibrary::ensureMixBuffers(int32_t width, int32_t height) {
    // Made on the first cross-fade; made again only if a clip of another size is faded.
    if (mixBufferA && mixBufferA->getWidth() == width && mixBufferA->getHeight() == height) return;
    mixBufferA = std::make_unique<FrameBuffer>(width, height, false);
    mixBufferB = std::make_unique<FrameBuffer>(width, height, false);
}

namespace {
// A sum of two weighted bytes; the weights add up to at most 255, so this only guards against
// rounding of the float weights.
inline uint8_t saturate(uint32_t value) {
    return uint8_t(value > 255 ? 255 : value);
}
} // namespace

void ClipLibrary::blendRow(uint8_t* __restrict out, const uint8_t* __restrict current,
                           const uint8_t* __restrict previous, int32_t pixels, int32_t p, int32_t q) {
    const uint8_t* __restrict previousWeight = productTable() + p * 256;
    const uint8_t* __restrict currentWeight = productTable() + q * 256;
    for (int32_t i = 0; i < pixels; ++i, out += 4, current += 4, previous += 4) {
        out[0] = saturate(uint32_t(previousWeight[previous[0]]) + currentWeight[current[0]]);
        out[1] = saturate(uint32_t(previousWeight[previous[1]]) + currentWeight[current[1]]);
        out[2] = saturate(uint32_t(previousWeight[previous[2]]) + currentWeight[current[2]]);
    }
}

void ClipLibrary::mix(const std::string& currentName, int32_t currentTimeMs, const std::string& previousName,
                      int32_t previousTimeMs, float mix, int32_t rollOffset) {
    if (mix == 1.0f) {
        drawClip(target, currentName, currentTimeMs);
        return;
    }
    VideoClip* current = getClip(currentName);
    VideoClip* previous = getClip(previousName);
    if (!current || !previous || !target) return;
    // Only a store of 4-byte pixels can take the blend.
    const int32_t targetBits = target->getBitsPerPixel();
    if ((targetBits / 8 > 0 ? targetBits / 8 : 4) != 4 || !target->getPixels()) return;
    ensureMixBuffers(current->getWidth(), current->getHeight());

    FrameBuffer* currentPicture;
    FrameBuffer* previousPicture;
    if (currentName == previousName) {
        // One clip at two times: each time needs a picture of its own.
        current->draw(mixBufferA.get(), currentTimeMs);
        previous->draw(mixBufferB.get(), previousTimeMs);
        currentPicture = mixBufferA.get();
        previousPicture = mixBufferB.get();
    } else {
        current->draw(current->getSurface(), currentTimeMs);
        previous->draw(previous->getSurface(), previousTimeMs);
        currentPicture = current->getSurface();
        previousPicture = previous->getSurface();
    }

    const int32_t p = std::clamp(int32_t(mix * 255.0f), 0, 255);
    const int32_t q = std::clamp(int32_t((1.0f - mix) * 255.0f), 0, 255);

    // The blended area: the current clip's size, kept inside the previous picture and the target.
    const int32_t top = target->getTop();
    const int32_t width = std::min({current->getWidth(), previousPicture->getWidth(), target->getWidth()});
    const int32_t height = std::min(current->getHeight(), previousPicture->getHeight());
    const int64_t targetStride = int64_t(target->getWidth()) + target->isDoubled();
    const int64_t currentStride = int64_t(currentPicture->getWidth()) + currentPicture->isDoubled();
    const int64_t previousStride = int64_t(previousPicture->getWidth()) + previousPicture->isDoubled();
    if (width <= 0 || height <= 0) return;

    // The roll: rows start rollOffset lines down the clips and wrap round; an offset of the
    // height or more leaves them in place.
    const int32_t roll = rollOffset < 0 || rollOffset >= height ? 0 : rollOffset;

    uint8_t* targetPixels = target->getPixels();
    for (int32_t y = 0; y < height; ++y) {
        int64_t targetLine = int64_t(top) + y;
        if (targetLine < 0 || targetLine >= target->getHeight()) continue;
        int32_t sourceLine = (y + roll) % height;
        blendRow(targetPixels + targetLine * targetStride * 4,
                 currentPicture->getPixels() + sourceLine * currentStride * 4,
                 previousPicture->getPixels() + sourceLine * previousStride * 4, width, p, q);
    }
}

void prefetchShowClips() {
    for (const ShowClip& clip : showClips)
        VideoClip::prefetch(tempClipPath(clip.fileName), clip.lengthMs, clip.framesPerSecond);
}

void awaitShowClips() {
    VideoClip::awaitPrefetches();
}
