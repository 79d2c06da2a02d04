// Everything piece one draws, part by part: the clip box, the mirror blocks, the row jitter,
// the beat bars and the streaks, driven by the piece's sequences and the show clock, with the
// whole-box mirror switches of the main part and the glitch bursts of the closing. A scene is
// one run of the piece: the piece makes a new one for every run.
#pragma once

#include "pieces/one/BeatBars.h"
#include "pieces/one/ClipBox.h"
#include "pieces/one/MirrorBlocks.h"
#include "pieces/one/PieceOneSequences.h"
#include "pieces/one/RowJitter.h"
#include "pieces/one/Streaks.h"

#include <cstdint>

class FrameBuffer;
class PieceClip;
class SceneManager;

class PieceOneScene {
public:
    // Builds flickerLevel from the envelopes' draws, the streak, bar and block sequences, the
    // bars and the block list; their triggers are registered with manager until the scene goes.
    PieceOneScene(FrameBuffer* frameBuffer, SceneManager& manager, const FlickerDraws& flickerDraws);
    PieceOneScene(const PieceOneScene&) = delete;
    PieceOneScene& operator=(const PieceOneScene&) = delete;

    // The clip's play position and its trigger (the piece's setup).
    void buildClipTime() { sequences.buildClipTime(); }
    // The clip to show (not owned; null shows nothing).
    void setClip(PieceClip* clip_) { clip = clip_; }

    // One frame of each part at the show clock's time nowMs (and, for the opening, its clock
    // units). The main part and the closing poll the scene manager first, so due triggers fire.
    // Without pixels a frame is only computed: everything that carries over to later frames
    // (sequences, streaks, bars, blocks, the jitter's and the show's generators) moves on as if
    // it had been drawn, and the store is left alone.
    void drawOpeningFrame(int32_t nowMs, int32_t timeUnits, bool pixels = true);
    void drawMainFrame(int32_t nowMs, bool pixels = true);
    // Black with the glitch bursts. A burst draws over the frame before it, so the frames of a
    // burst that reaches a frame to be shown must be drawn from the burst's start on (a burst
    // begins on black and lasts at most longestBurstMs).
    void drawClosingFrame(int32_t nowMs, bool pixels = true);
    void drawClosingTailFrame(int32_t nowMs, bool pixels = true); // the black end of the closing
    static constexpr int32_t longestBurstMs = 1900;

    bool isMirrorOff() const { return mirrorOff; }
    bool isGlitchOn() const { return glitchOn; }
    int32_t getGlitchRange() const { return glitchRange; }
    const ClipBox& getClipBox() const { return clipBox; }
    MirrorBlocks& getBlocks() { return blocks; }
    RowJitter& getJitter() { return jitter; }
    const BeatBars& getBars() const { return bars; }
    const Streaks& getStreaks() const { return streaks; }
    PieceOneSequences& getSequences() { return sequences; }

private:
    void advanceMirrorTable(int32_t nowMs);
    void jitterRows(PixelStore store, int32_t amplitude, bool pixels);
    int32_t nextGlitchTime() const;

    FrameBuffer* frameBuffer;
    SceneManager& manager;
    PieceOneSequences sequences;
    PieceClip* clip = nullptr;
    ClipBox clipBox;
    MirrorBlocks blocks;
    RowJitter jitter;
    BeatBars bars;
    Streaks streaks;

    bool mirrorOff = true; // false while the whole box is mirrored
    int32_t mirrorCursor = 0;
    bool glitchOn = false;
    int32_t glitchCursor = 0;
    int32_t glitchRange = 5;
};
