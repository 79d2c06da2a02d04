// The clip store: clips by name, drawing into frame buffers and the cross-fade with its roll.
#include "media/clips/ClipLibrary.h"

#include "media/clips/ProductTable.h"
#include "media/clips/VideoClip.h"
#include "platform/FrameBuffer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <algorithm>

ClipLibrary::ClipLibrary() = default;
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

namespace {
// One output row blended straight from two decoded frames (3 bytes a pixel). Straight, each
// source starts at the row's first pixel and runs forward; turned by 180 degrees, each starts
// at that pixel's place counted back from its frame's end, runs backward, and gives its first
// and third colour bytes exchanged, as VideoClip::draw lays a turned frame out.
template <bool Turned>
void blendFrameRow(uint8_t* __restrict out, const uint8_t* __restrict current,
                   const uint8_t* __restrict previous, int32_t pixels,
                   const uint8_t* __restrict previousWeight, const uint8_t* __restrict currentWeight) {
    constexpr int64_t step = Turned ? -3 : 3;
    constexpr int first = Turned ? 2 : 0;
    constexpr int third = Turned ? 0 : 2;
    for (int32_t i = 0; i < pixels; ++i, out += 4, current += step, previous += step) {
        out[0] = saturate(uint32_t(previousWeight[previous[first]]) + currentWeight[current[first]]);
        out[1] = saturate(uint32_t(previousWeight[previous[1]]) + currentWeight[current[1]]);
        out[2] = saturate(uint32_t(previousWeight[previous[third]]) + currentWeight[current[third]]);
    }
}

// Where row `line` of a width-wide frame starts for the blend, straight or turned.
const uint8_t* rowStart(const uint8_t* frame, int32_t width, int32_t height, int32_t line, bool turned) {
    const int64_t pixel = int64_t(line) * width;
    return frame + (turned ? int64_t(width) * height - 1 - pixel : pixel) * 3;
}
} // namespace

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
    // The blend reads both decoded frames directly (also one clip at two times), with no
    // picture drawn in between; a clip without frames blends nothing.
    const uint8_t* currentFrame = current->selectFrame(currentTimeMs);
    const uint8_t* previousFrame = previous->selectFrame(previousTimeMs);
    if (!currentFrame || !previousFrame) return;

    const int32_t p = std::clamp(int32_t(mix * 255.0f), 0, 255);
    const int32_t q = std::clamp(int32_t((1.0f - mix) * 255.0f), 0, 255);

    // The blended area: the current clip's size, kept inside the previous clip and the target.
    const int32_t top = target->getTop();
    const int32_t width = std::min({current->getWidth(), previous->getWidth(), target->getWidth()});
    const int32_t height = std::min(current->getHeight(), previous->getHeight());
    const int64_t targetStride = int64_t(target->getWidth()) + target->isDoubled();
    if (width <= 0 || height <= 0) return;

    // The roll: rows start rollOffset lines down the clips and wrap round; an offset of the
    // height or more leaves them in place.
    const int32_t roll = rollOffset < 0 || rollOffset >= height ? 0 : rollOffset;

    const uint8_t* previousWeight = productTable() + p * 256;
    const uint8_t* currentWeight = productTable() + q * 256;
    const bool turned = mirrorClips;
    uint8_t* targetPixels = target->getPixels();
    for (int32_t y = 0; y < height; ++y) {
        int64_t targetLine = int64_t(top) + y;
        if (targetLine < 0 || targetLine >= target->getHeight()) continue;
        const int32_t sourceLine = (y + roll) % height;
        uint8_t* out = targetPixels + targetLine * targetStride * 4;
        const uint8_t* currentRow =
            rowStart(currentFrame, current->getWidth(), current->getHeight(), sourceLine, turned);
        const uint8_t* previousRow =
            rowStart(previousFrame, previous->getWidth(), previous->getHeight(), sourceLine, turned);
        if (turned)
            blendFrameRow<true>(out, currentRow, previousRow, width, previousWeight, currentWeight);
        else
            blendFrameRow<false>(out, currentRow, previousRow, width, previousWeight, currentWeight);
    }
}

void prefetchShowClips() {
    for (const ShowClip& clip : showClips)
        VideoClip::prefetch(tempClipPath(clip.fileName), clip.lengthMs, clip.framesPerSecond);
}

void awaitShowClips() {
    VideoClip::awaitPrefetches();
}
