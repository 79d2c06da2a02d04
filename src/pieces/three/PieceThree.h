// Piece three: entry points called by the show shell (load at start, then setup, run, stop,
// and release of its video writers when the credits come).
#pragma once

struct PieceContext;

namespace PieceThree {
void load(const PieceContext& context);
void setup(const PieceContext& context);
void run(const PieceContext& context);
void stop();
void release();
} // namespace PieceThree
