// Everything piece one draws, part by part: the clip box, the mirror blocks, the row jitter,
// the beat bars and the streaks, driven by the piece's sequences and the show clock, with the
// whole-box mirror switches of the main part and the glitch bursts of the closing.
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
    // Builds flickerLevel (drawing its random envelopes from the show's generator), the streak,
    // bar and block sequences, the bars and the block list; their triggers are registered with
    // manager, which must outlive polling (the show never destroys a scene).
    PieceOneScene(FrameBuffer* frameBuffer, SceneManager& manager);
    PieceOneScene(const PieceOneScene&) = delete;
    PieceOneScene& operator=(const PieceOneScene&) = delete;

    // The clip's play position and its trigger (the piece's setup).
    void buildClipTime() { sequences.buildClipTime(); }
    // The clip to show (not owned; null shows nothing).
    void setClip(PieceClip* clip_) { clip = clip_; }

    // One frame of each part at the show clock's current time. The main part and the closing
    // poll the scene manager first, so due triggers fire.
    void drawOpeningFrame();
    void drawMainFrame();
    void drawClosingFrame();     // black with the glitch bursts
    void drawClosingTailFrame(); // the black end of the closing

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
