// The three pieces as the shell runs them: made and loaded once, then set up, run and stopped
// for every time each plays, and released at the end of the show. A piece starts with the
// show's random generator as it was when that piece first started (piece one's unseeded
// sequence after its load, piece three continuing piece two's), so a piece played again gives
// the same frames.
#pragma once

#include "pieces/common/Piece.h"
#include "shell/ShowRange.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class PieceRunner {
public:
    PieceRunner();
    ~PieceRunner();

    // Loads piece one, two and three, in that order.
    void loadAll(const PieceContext& context);
    // Setup and run of piece k (0..2), then its stop; with TRIPTYCH_LOG_PIECES set and announce,
    // a line on stderr as it starts.
    void play(int k, const PieceContext& context, bool announce = true);
    // Stop of piece k (also for a piece a quit request skipped).
    void stop(int k);
    // Releases piece one, two and three, in that order.
    void releaseAll();

    Piece& piece(int k) { return *pieces[size_t(k)]; }
    // Which pieces have played, so that their start (the random state) is known.
    std::array<bool, 3> startsKnown() const;
    // The show's time line in a render at framesPerSecond (nothing needs to be loaded).
    ShowTimeline videoTimeline(int32_t framesPerSecond) const;

private:
    std::array<std::unique_ptr<Piece>, 3> pieces;
    std::array<std::optional<uint32_t>, 3> randomAtStart;
};
