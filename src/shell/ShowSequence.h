// The show sequence: preloading the pieces, the intro, running the chosen pieces, the credits,
// and the frame-buffer helpers the shell draws with.
#pragma once

#include <cstdint>
#include <string>

class DisplayDevice;
class FrameBuffer;
class FatalFailure;
struct PieceContext;

void clearFrameBuffer();                         // the current frame buffer
void clearFrameBuffer(FrameBuffer* frameBuffer); // width x height x 4 bytes of 0
// Copies rows of width pixels from a packed source into a destination 1024 pixels wide.
void blitToFrameBuffer(uint8_t* destination, const uint8_t* source, int32_t x, int32_t y, int32_t width,
                       int32_t rows);

// Settings keys 1 to 5 for a display of width x height at 32 bits on platform (1, 1).
void writeDisplaySettings(int32_t width, int32_t height);

// What the pieces are handed: the display pair, the render settings, the seed and the quit
// request, which covers the shell's flag (Escape, close, signals, Cancel).
PieceContext pieceContext(DisplayDevice* device, FrameBuffer* frameBuffer);

void preloadPieces();
void playIntro();
void runPieces();
void showCredits();
void closeCurrentDisplay();
// A failure the show cannot go on from (a clip that cannot be read, a render file that cannot
// be written, services that cannot start): the display closes, the failure's box is shown, and
// the process ends with its exit code (exit handlers run, so open render files are finished and
// the temporary clips go).
[[noreturn]] void endWithFatalFailure(const FatalFailure& failure);

// The credits text shown after the last piece.
std::string creditsText();
