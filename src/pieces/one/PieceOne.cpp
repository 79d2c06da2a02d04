// Piece one: entry points (the piece's frame loops come with its own work).
#include "pieces/one/PieceOne.h"

namespace PieceOne {
void load(DisplayDevice*, FrameBuffer*) {}
void setup(DisplayDevice*, FrameBuffer*, bool, void*) {}
void run(DisplayDevice*, FrameBuffer*) {}
void stop() {}
void release() {}
} // namespace PieceOne
