// Piece one's frames, part by part.
#include "pieces/one/PieceOneScene.h"

#include "animation/SceneManager.h"
#include "pieces/one/BeatTables.h"
#include "pieces/one/PieceClip.h"
#include "platform/ShowRandom.h"

PieceOneScene::PieceOneScene(FrameBuffer* frameBuffer_, SceneManager& manager_, const FlickerDraws& flickerDraws)
    : frameBuffer(frameBuffer_), manager(manager_), sequences(manager_), clipBox(frameBuffer_),
      streaks(clipBox.top()) {
    sequences.buildFlickerLevel(flickerDraws);
    sequences.buildStreakEvents();
    bars.reset(clipBox.left(), clipBox.top());
    sequences.buildBarEvents();
    sequences.buildBlockEvents();
    blocks.buildBlocks(clipBox);
}

void PieceOneScene::drawOpeningFrame(int32_t nowMs, int32_t timeUnits, bool pixels) {
    if (pixels) PixelStore::of(frameBuffer).clear();
    clipBox.drawOpeningSlide(clip, nowMs, timeUnits, pixels);
}

void PieceOneScene::advanceMirrorTable(int32_t nowMs) {
    int32_t next = BeatTables::mirrorTable[mirrorCursor];
    if (next != -1 && nowMs >= next) {
        ++mirrorCursor;
        mirrorOff = !mirrorOff;
        blocks.reset();
    }
}

void PieceOneScene::drawMainFrame(int32_t now, bool pixels) {
    manager.update(now);
    PixelStore store = PixelStore::of(frameBuffer);
    if (pixels) store.clear();
    advanceMirrorTable(now);
    streaks.drawStreaks(store, sequences.streakEvents.takeChanged(), now, clipBox.getLastClipFrame(),
                        clip ? clip->framePixels() : 0, pixels);
    clipBox.drawMainClip(clip, sequences.clipTime.value(now), mirrorOff, pixels);
    blocks.drawBlocks(store, sequences.blockEvents.takeChanged(), pixels);
    jitterRows(store, sequences.flickerLevel.value(now), pixels);
    bars.drawBars(store, sequences.barEvents.takeChanged(), now, pixels);
}

void PieceOneScene::jitterRows(PixelStore store, int32_t amplitude, bool pixels) {
    if (pixels)
        jitter.jitterRows(store, clipBox.top(), amplitude);
    else
        jitter.skipRows(store, clipBox.top(), amplitude);
}

int32_t PieceOneScene::nextGlitchTime() const {
    // The table's last entry is never reached, so the cursor never passes it.
    return BeatTables::glitchTable[glitchCursor < BeatTables::glitchTableCount ? glitchCursor
                                                                               : BeatTables::glitchTableCount - 1];
}

void PieceOneScene::drawClosingFrame(int32_t now, bool pixels) {
    manager.update(now);
    PixelStore store = PixelStore::of(frameBuffer);
    if (!glitchOn) {
        if (pixels) store.clear();
        if (now >= nextGlitchTime()) {
            glitchOn = true;
            ++glitchCursor;
        }
    }
    // A burst draws over the frame before it, so its smears pile up.
    if (glitchOn) {
        clipBox.drawClosingClip(clip, now, mirrorOff, pixels);
        jitterRows(store, ShowRandom::next() % glitchRange, pixels);
        if (now >= nextGlitchTime()) {
            ++glitchCursor;
            glitchRange += 25;
            glitchOn = false;
        }
    }
}

void PieceOneScene::drawClosingTailFrame(int32_t now, bool pixels) {
    if (pixels) PixelStore::of(frameBuffer).clear();
    manager.update(now);
}
