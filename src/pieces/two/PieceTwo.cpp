// Piece two is not part of this build yet: its entry points do nothing, so the show runs on.
#include "pieces/two/PieceTwo.h"

namespace PieceTwo {
void load(DisplayDevice*, FrameBuffer*) {}
void setup(DisplayDevice*, FrameBuffer*, bool, void*) {}
void run(DisplayDevice*, FrameBuffer*) {}
void stop() {}
void release() {}
} // namespace PieceTwo
