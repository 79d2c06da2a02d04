// Piece two: entry points called by the show shell (load at start, then setup, run, stop,
// and release of its video writers when the credits come).
#pragma once

class DisplayDevice;
class FrameBuffer;

namespace PieceTwo {
void load(DisplayDevice* device, FrameBuffer* frameBuffer);
void setup(DisplayDevice* device, FrameBuffer* frameBuffer, bool videoMode, void* instanceHandle);
void run(DisplayDevice* device, FrameBuffer* frameBuffer);
void stop();
void release();
} // namespace PieceTwo
