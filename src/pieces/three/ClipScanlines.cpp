// Clip position, the grey scanline copy and the cue step of piece three's first layer.
#include "pieces/three/ClipScanlines.h"

#include "media/clips/ClipLibrary.h"
#include "platform/FrameBuffer.h"
#include "platform/ShowRandom.h"

#include <algorithm>

ClipScanlines::ClipScanlines(ClipLibrary& clips_, std::string clipName, std::vector<RowTable> tables,
                             const ScanlineCue* cues)
    : clips(clips_), clipName(std::move(clipName)), tables(std::move(tables)), cueState(cues),
      layer(std::make_unique<FrameBuffer>(layerWidth, layerHeight, false)) {}

ClipScanlines::~ClipScanlines() = default;

int32_t ClipScanlines::foldClipPosition(float clipPosition) {
    const int32_t p = int32_t(clipPosition);
    int32_t r = p % 33600; // the sign of p, as the position never goes below 0 this is 0..33599
    if (r > 16800) r = 33600 - r;
    return r;
}

void ClipScanlines::copyRows(const uint32_t* layerPixels, int32_t layerStride, int32_t layerRows,
                             uint32_t* screenPixels, int32_t screenStride, int32_t screenRows,
                             int32_t rowLength, const RowTable& table, float floor) {
    for (const RowPair& pair : table) {
        if (pair.layerRow < 0 || pair.layerRow >= layerRows || pair.screenRow < 0 ||
            pair.screenRow >= screenRows)
            continue;
        const uint32_t* in = layerPixels + size_t(pair.layerRow) * size_t(layerStride);
        uint32_t* out = screenPixels + size_t(pair.screenRow) * size_t(screenStride);
        for (int32_t x = 0; x < rowLength; ++x) {
            const uint32_t pixel = in[x];
            const int32_t grey = int32_t((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF)) >> 3;
            const float noise = float(ShowRandom::next() % 85);
            const float darkening = noise > floor ? noise : floor;
            const int32_t value = std::clamp(grey - int32_t(darkening), 0, 255);
            out[x] = (out[x] & 0xFF000000u) | uint32_t(value) * 0x010101u;
        }
    }
}

uint64_t ClipScanlines::noiseDraws(int32_t layerRows, int32_t screenRows, int32_t rowLength, const RowTable& table) {
    uint64_t pairs = 0;
    for (const RowPair& pair : table)
        pairs += pair.layerRow >= 0 && pair.layerRow < layerRows && pair.screenRow >= 0 && pair.screenRow < screenRows;
    return pairs * uint64_t(std::max(rowLength, 0));
}

void ClipScanlines::draw(FrameBuffer* screen, int32_t nowMs, float floor, bool pixels) {
    const float dt = float(nowMs) - lastFrameMs;
    layer->setTop(0);
    clipPosition = clipPosition + dt * 0.33333334f;
    if (pixels) clips.drawClip(layer.get(), clipName, foldClipPosition(clipPosition));

    const int32_t table = cueState.currentTable();
    if (screen && screen->getBitsPerPixel() == 32 && table >= 0 && table < int32_t(tables.size())) {
        const int32_t rowLength = std::min({layerWidth, layer->getWidth(), screen->getWidth()});
        if (pixels)
            copyRows(layer->getPixels32(), layer->getWidth(), layer->getHeight(), screen->getPixels32(),
                     screen->getWidth(), screen->getHeight(), rowLength, tables[size_t(table)], floor);
        else
            ShowRandom::skip(
                noiseDraws(layer->getHeight(), screen->getHeight(), rowLength, tables[size_t(table)]));
    }
    layer->setTop(0);
    cueState.take(nowMs, clipPosition);
    lastFrameMs = float(nowMs);
}
