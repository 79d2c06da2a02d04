// Piece one's render files: one per part ("piece_pre1.avi", "piece_1.avi", "piece_post1.avi"),
// each with the music of its part. The piece decides when frames are drawn and at which clock
// time; this side writes them.
#pragma once

#include <cstdint>

class FrameBuffer;
struct PieceContext;

namespace PieceOneVideo {

enum Part : int { opening = 0, main = 1, closing = 2 };

// Video mode setup: opens the context's device with its window hidden and creates the three
// files (640x480, the context's frame rate and codec, 44100 Hz 16-bit sound).
void setup(const PieceContext& context);
// Before the part's sound starts: the part's file reads its frames back from frameBuffer and its
// sound from channel (the capture is attached before the sound is played).
void beginPart(int part, FrameBuffer* frameBuffer, uint32_t channel);
// One finished frame of the part, with the progress 0..100 (negative leaves it alone).
void writeFrame(int part, int32_t percent);
// After the part's last frame: the sound capture starts over for the next part.
void endPart(int part);
// Finishes and deletes the files' writers (does nothing unless setup ran).
void release();

} // namespace PieceOneVideo
