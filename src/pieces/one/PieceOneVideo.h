// Piece one's render files: one per part ("piece_pre1.avi", "piece_1.avi", "piece_post1.avi"),
// each with the music of its part. A part's file is made when the part starts and finished when
// it ends, so a part that never starts leaves no file and a later failure cannot undo a part
// already written. The piece decides when frames are drawn and at which clock time; this side
// writes them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class FrameBuffer;
class RenderOutput;
class RenderWriter;
struct PieceContext;

class PieceOneVideo {
public:
    enum Part : int { opening = 0, main = 1, closing = 2 };

    PieceOneVideo();
    ~PieceOneVideo();

    // Video mode setup: opens the context's device with its window hidden; the files come from
    // the context's render output (640x480, its frame rate and codec, 44100 Hz 16-bit sound).
    void setup(const PieceContext& context);
    // Before the part's sound starts: makes the part's file, reading its frames back from
    // frameBuffer and its sound from channel (the capture is attached before the sound plays).
    void beginPart(int part, FrameBuffer* frameBuffer, uint32_t channel);
    // One finished frame of the part, with the progress 0..100 (negative leaves it alone).
    void writeFrame(int part, int32_t percent);
    // A frame of the part that is not written: its sound is passed over in the capture.
    void skipFrame(int part);
    // After the part's last frame: the file is finished and the sound capture starts over.
    void endPart(int part);
    // Finishes whatever file is still open (a run stopped part-way).
    void release();

private:
    RenderOutput* output = nullptr;
    int32_t framesPerSecond = 25;
    std::string codecName;
    std::unique_ptr<RenderWriter> writers[3];
};
