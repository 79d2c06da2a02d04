// Placing piece one's clip in its box, and the box mirror.
#include "pieces/one/ClipBox.h"

#include "pieces/one/PieceClip.h"
#include "platform/FrameBuffer.h"

#include <algorithm>
#include <utility>

void mirrorRows(PixelStore store, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, store.width);
    int32_t n = (x1 - x0) / 2;
    for (int32_t y = std::max(y0, 0); y <= y1 && y < store.height; ++y) {
        uint32_t* row = store.row(y);
        for (int32_t i = 0; i < n; ++i) std::swap(row[x0 + i], row[x1 - 1 - i]);
    }
}

ClipBox::ClipBox(FrameBuffer* frameBuffer_)
    : frameBuffer(frameBuffer_), boxLeft((frameBuffer_->getWidth() - width) / 2),
      boxTop((frameBuffer_->getHeight() - height) / 2) {}

void ClipBox::drawOpeningSlide(PieceClip* clip, int32_t elapsedMs, int32_t timeUnits, bool pixels) {
    if (pixels) {
        frameBuffer->setLeft(int32_t(slideX));
        frameBuffer->setTop(boxTop);
        if (clip) clip->draw(frameBuffer, 0);
        frameBuffer->setLeft(0);
        frameBuffer->setTop(0);
    } else if (clip) {
        clip->select(0);
    }

    float dt = float(timeUnits) - slideLastTime;
    if (!slideJumped && elapsedMs > 3700) {
        slideX += 40.0f;
        slideJumped = true;
    }
    if (elapsedMs > 3700) {
        bool moved = false;
        if (elapsedMs < 3705) {
            slideX += dt * 30.0f;
            moved = true;
        } else if (!(elapsedMs > 3830 && elapsedMs < 3900)) {
            slideX += dt * 20.0f;
            moved = true;
        }
        if (moved && slideX > float(boxLeft)) slideX = float(boxLeft);
    }

    slideLastTime = float(timeUnits);
    if (!pixels) return;
    // Whatever of the clip lies left of the box is never seen.
    PixelStore store = PixelStore::of(frameBuffer);
    int32_t margin = std::min(boxLeft, store.width);
    for (int32_t y = 0; y < store.height && margin > 0; ++y) std::fill_n(store.row(y), margin, 0u);
}

void ClipBox::drawMainClip(PieceClip* clip, float clipTimeValue, bool mirrorOff, bool pixels) {
    int32_t t = int32_t(clipTimeValue);
    if (t < 0)
        t = 0;
    else if (t > 3000)
        t = t % 3000;
    drawBoxClip(clip, t, mirrorOff, pixels);
}

void ClipBox::drawClosingClip(PieceClip* clip, int32_t elapsedMs, bool mirrorOff, bool pixels) {
    drawBoxClip(clip, elapsedMs % 3000, mirrorOff, pixels);
}

void ClipBox::drawBoxClip(PieceClip* clip, int32_t clipMs, bool mirrorOff, bool pixels) {
    if (!pixels) {
        if (clip) {
            clip->select(clipMs);
            lastClipFrame = clip->currentFrame();
        }
        return;
    }
    frameBuffer->setLeft(boxLeft);
    frameBuffer->setTop(boxTop);
    if (clip) {
        clip->draw(frameBuffer, clipMs);
        lastClipFrame = clip->currentFrame();
    }
    frameBuffer->setLeft(0);
    frameBuffer->setTop(0);
    // The mirror takes in the row just below the box as well.
    if (!mirrorOff) mirrorRows(PixelStore::of(frameBuffer), boxLeft, boxTop, boxLeft + width, boxTop + height);
}
