// Piece one's video writers: not wired to a writer yet, so every frame is accepted and dropped.
#include "pieces/one/PieceOneVideo.h"

namespace PieceOneVideo {

void setup(DisplayDevice*, void*) {}
void beginPart(int, uint32_t) {}
bool writeFrame(int, FrameBuffer*, int32_t) { return true; }
void endPart(int) {}
void release() {}

} // namespace PieceOneVideo
