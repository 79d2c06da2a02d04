// Piece two is not part of this build yet: its entry points do nothing, so the show runs on.
#include "pieces/two/PieceTwo.h"

namespace PieceTwo {
void load(const PieceContext&) {}
void setup(const PieceContext&) {}
void run(const PieceContext&) {}
void stop() {}
void release() {}
} // namespace PieceTwo
