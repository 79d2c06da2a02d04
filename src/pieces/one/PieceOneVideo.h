// Piece one's hand-over to the render-to-video writers: one AVI file per part
// ("piece_pre1.avi", "piece_1.avi", "piece_post1.avi"), each with the music of its part.
// The piece decides when frames are drawn and at which clock time; this side writes them.
#pragma once

#include <cstdint>

class DisplayDevice;
class FrameBuffer;

namespace PieceOneVideo {

enum Part : int { opening = 0, main = 1, closing = 2 };

// Video mode setup: opens the device with its window hidden and creates the three writers
// (640x480, the show's frame rate truncated, 44100 Hz 16-bit sound).
void setup(DisplayDevice* device, void* instanceHandle);
// Before the part's sound starts: the part's writer takes its frames from the piece's RGB frame
// and its sound from channel (the capture is attached before the sound is played).
void beginPart(int part, uint32_t channel);
// One finished frame of the part, with the progress 0..100 (negative leaves it alone).
// False when the frame could not be written.
bool writeFrame(int part, FrameBuffer* frameBuffer, int32_t percent);
// After the part's last frame: the sound capture starts over for the next part.
void endPart(int part);
// Finishes and deletes the writers (does nothing unless setup ran).
void release();

} // namespace PieceOneVideo
