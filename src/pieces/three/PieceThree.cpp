// Piece three is not part of this build yet: its entry points do nothing, so the show runs on.
#include "pieces/three/PieceThree.h"

namespace PieceThree {
void load(DisplayDevice*, FrameBuffer*) {}
void setup(DisplayDevice*, FrameBuffer*, bool, void*) {}
void run(DisplayDevice*, FrameBuffer*) {}
void stop() {}
void release() {}
} // namespace PieceThree
