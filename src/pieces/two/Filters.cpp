// The filter groups of piece two along the show clock, and the smear over the clip lines.
#include "pieces/two/Filters.h"

#include "pieces/two/FilterTracks.h"
#include "platform/FrameBuffer.h"
#include "platform/ShowRandom.h"
#include "platform/SystemClock.h"

#include <algorithm>

namespace {
constexpr int32_t thresholdFromMs = 66171;
constexpr int32_t finalFromMs = 87000;
constexpr int32_t bandAfterMs = 92197;  // exclusive
constexpr int32_t bandBeforeMs = 92821; // exclusive
constexpr int32_t greySmearRadius = 2;
constexpr int32_t thresholdSmearRadius = 1;
} // namespace

FilterGroup filterGroupAt(int32_t nowMs) {
    if (nowMs < thresholdFromMs) return FilterGroup::greySmear;
    if (nowMs < finalFromMs) return FilterGroup::threshold;
    if (nowMs > bandAfterMs && nowMs < bandBeforeMs) return FilterGroup::band;
    return FilterGroup::finalSmear;
}

void PieceTwoFilters::applyFilters(int32_t now, FrameBuffer* frameBuffer, const BandValues& band, bool pixels) {
    if (!seeded) {
        ShowRandom::seed(seedValue ? *seedValue : Sys_Milliseconds());
        seeded = true;
    }
    const PictureLines picture = PictureLines::of(frameBuffer);
    switch (filterGroupAt(now)) {
    case FilterGroup::greySmear:
        if (pixels) greyscale(picture);
        smearLines(now, frameBuffer, greySmearRadius, true, pixels);
        break;
    case FilterGroup::threshold: {
        if (!envelopeStarted) {
            tracks.envelope.start(now);
            envelopeStarted = true;
        }
        const float level = tracks.envelope.valueAt(now);
        buildThresholdTable(level);
        if (level > 0.0f && pixels) clearBytesBelow(picture, thresholdCut);
        smearLines(now, frameBuffer, thresholdSmearRadius, true, pixels);
        break;
    }
    case FilterGroup::band:
        if (!pixels) break;
        greyscale(picture);
        keepBand(picture, band);
        break;
    case FilterGroup::finalSmear: {
        if (!pixels) break; // the plain smear takes no random numbers
        smearLines(now, frameBuffer, tracks.smearWidth.valueAt(now), false);
        const int32_t fade = tracks.fadeOut.valueAt(now);
        if (fade > 0) subtractFromBytes(picture, fade);
        break;
    }
    }
}

void PieceTwoFilters::buildThresholdTable(float level) {
    level = std::clamp(level, 0.0f, 1.0f);
    const float threshold = 256.0f / ((1.0f - level) * 5.0f); // infinite at level 1
    thresholdCut = 256;
    for (int32_t i = 255; i >= 0; --i) {
        // i + 1 grows with i: the values kept are exactly those from the cut on.
        const bool kept = float(i + 1) >= threshold;
        thresholdTable[size_t(i)] = kept ? uint8_t(i) : 0;
        if (kept) thresholdCut = i;
    }
}

void PieceTwoFilters::smearLines(int32_t now, FrameBuffer* frameBuffer, int32_t radius, bool noisy, bool pixels) {
    const PictureLines picture = PictureLines::of(frameBuffer);
    if (!picture.pixels) return;
    const int32_t top = frameBuffer->getTop();
    if (top < 0 || 2 * top >= picture.lines) return;
    const int32_t jitter = noisy ? tracks.jitter.valueAt(now) : 0;
    const int32_t noiseAmplitude = noisy ? tracks.noise.valueAt(now) : 0;
    if (!pixels) {
        // One draw per line for the divisor's jitter, and two noise steps per pixel.
        const int32_t lines = picture.lines - 2 * top;
        if (jitter > 0) ShowRandom::skip(uint64_t(lines));
        if (radius >= 0 && picture.width > 0 && noiseAmplitude > 0) noise.skip(uint64_t(lines) * uint64_t(picture.width));
        return;
    }
    for (int32_t y = top; y < picture.lines - top; ++y) {
        int32_t divisor = 2 * std::max(radius, 0) + 1;
        if (jitter > 0) divisor += ShowRandom::next() % jitter;
        smearLine(picture.line(y), picture.pixels, picture.width, radius, divisor, &noise, noiseAmplitude);
    }
}
