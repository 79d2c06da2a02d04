// Piece one: entry points called by the show shell (load at start, then setup, run, stop,
// and release of its video writers when the credits come).
#pragma once

#include <cstdint>

class PieceOneScene;
struct PieceContext;

namespace PieceOne {
// Opens the sound output, loads the three sounds, decodes the clip and builds the sequences,
// triggers and blocks. Sound failures throw a ShowFailure naming the entry (code 0 no output,
// 1 a sound did not load); a clip that cannot be read throws a VideoFailure.
void load(const PieceContext& context);
// Prepares video mode (hidden window, writers), builds the clip's play position, shows black.
void setup(const PieceContext& context);
// Opening, main part and closing, each to its music; returns when the closing ends or on a
// quit request. A stream that cannot be played throws code 3, the module code 2.
void run(const PieceContext& context);
// Stops the three sounds; code 2 when one cannot be stopped.
void stop();
// Finishes the video files (video mode) and frees the clip.
void release();

// What load made (null / 0 before load), for tests and benchmarks.
struct Sounds {
    uint32_t openingStream;
    uint32_t musicModule;
    uint32_t closingStream;
};
Sounds getSounds();
PieceOneScene* getScene();
} // namespace PieceOne
