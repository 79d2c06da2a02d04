// A piece as the shell runs it: loaded once at start-up, then set up, run and stopped for each
// time it plays (a setup after a finished or stopped run puts it back at its start), and
// released when the show ends.
#pragma once

#include <cstdint>
#include <vector>

struct PieceContext;

class Piece {
public:
    virtual ~Piece() = default;
    // Everything that is made once: sounds, clips, pictures, tables.
    virtual void load(const PieceContext& context) = 0;
    // Back to the piece's start: its timeline, effects and triggers made anew, black shown; in
    // video mode the hidden display opened and the files prepared.
    virtual void setup(const PieceContext& context) = 0;
    // The frame loop, until the piece's end or a quit or close request.
    virtual void run(const PieceContext& context) = 0;
    // Stops the music; also called for a piece a quit request skipped.
    virtual void stop() = 0;
    // Finishes what is still open and frees the clips (the end of the show).
    virtual void release() = 0;
    // The frames each of the piece's parts gets in a whole render at framesPerSecond, in part
    // order (what its files hold; nothing needs to be loaded for it).
    virtual std::vector<int64_t> renderedFrames(int32_t framesPerSecond) const = 0;
};
