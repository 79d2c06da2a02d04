// Piece two: entry points called by the show shell (load at start, then setup, run, stop,
// and release of its video writers when the credits come).
#pragma once

#include <cstdint>

struct PieceContext;

namespace PieceTwo {
void load(const PieceContext& context);
void setup(const PieceContext& context);
void run(const PieceContext& context);
void stop();
void release();
// The music channel, 0 before load (for tests).
uint32_t getMusic();
} // namespace PieceTwo
