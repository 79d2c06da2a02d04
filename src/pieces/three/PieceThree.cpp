// Piece three is not part of this build yet: its entry points do nothing, so the show runs on.
#include "pieces/three/PieceThree.h"

namespace PieceThree {
void load(const PieceContext&) {}
void setup(const PieceContext&) {}
void run(const PieceContext&) {}
void stop() {}
void release() {}
} // namespace PieceThree
