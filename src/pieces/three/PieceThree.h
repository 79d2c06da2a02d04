// Piece three: entry points called by the show shell (load at start, then setup, run, stop,
// and release at the end of the show).
#pragma once

#include <cstdint>

struct PieceContext;

namespace PieceThree {
// Opens the sound output, creates the music stream (ShowFailure 1), makes sure the flight clip
// is in the clip store, loads the fifteen photographs with their fade maps (a fade map smaller
// than its photograph is refused, ShowFailure 1) and builds the row tables and the noise floor.
void load(const PieceContext& context);
// Shows black; in video mode opens the hidden display and attaches "piece_3.avi" to the frame
// buffer and the music; registers the noise floor's trigger, starts the clock and the music
// (ShowFailure 3).
void setup(const PieceContext& context);
// The frame loop: until a close or quit request or the clock reaches 106000 ms.
void run(const PieceContext& context);
// Stops the music (ShowFailure 2); also called for a piece a quit request skipped.
void stop();
// Empties the clip store and finishes the video file.
void release();

// The music stream load made (0 before load), for tests.
uint32_t getMusicStream();
} // namespace PieceThree
