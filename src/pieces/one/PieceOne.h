// Piece one: its opening, main part and closing, each to its music, with the entry points the
// show shell calls (load at start, then setup, run and stop for every run, and release at the
// end of the show).
#pragma once

#include "pieces/common/Piece.h"
#include "pieces/one/PieceOneSequences.h"
#include "pieces/one/PieceOneVideo.h"

#include <cstdint>
#include <memory>

class PieceClip;
class PieceOneScene;
class SoundEntries;

class PieceOne : public Piece {
public:
    PieceOne();
    ~PieceOne() override;

    // Opens the sound output, loads the three sounds, decodes the clip and draws the jitter
    // envelopes from the show's generator. Sound failures throw a ShowFailure naming the entry
    // (code 0 no output, 1 a sound did not load); a clip that cannot be read throws a
    // VideoFailure.
    void load(const PieceContext& context) override;
    // A new scene (its sequences, triggers, blocks, bars and streaks at their start) with the
    // clip's play position; video mode prepares the hidden window and the files. Shows black.
    void setup(const PieceContext& context) override;
    // Opening, main part and closing, each to its music; returns when the closing ends or on a
    // quit request. A stream that cannot be played throws code 3, the module code 2.
    void run(const PieceContext& context) override;
    // Stops the three sounds; code 2 when one cannot be stopped.
    void stop() override;
    // Finishes any file still open and frees the clip.
    void release() override;
    std::vector<int64_t> renderedFrames(int32_t framesPerSecond) const override;

    // What load made (0 before load), for tests and benchmarks.
    struct Sounds {
        uint32_t openingStream;
        uint32_t musicModule;
        uint32_t closingStream;
    };
    Sounds getSounds() const;
    // The scene of the current run (null before setup).
    PieceOneScene* getScene() { return scene.get(); }

private:
    class PartLoop;

    std::unique_ptr<SoundEntries> sounds;
    uint32_t openingStream = 0;
    uint32_t closingStream = 0;
    uint32_t musicModule = 0;
    std::unique_ptr<PieceClip> clip;
    FlickerDraws flickerDraws;
    std::unique_ptr<PieceOneScene> scene;
    PieceOneVideo video;
    bool videoMode = false;
};
