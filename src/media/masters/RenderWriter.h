// One rendered AVI file as a piece writes it: frames read back from the piece's frame buffer,
// each with exactly the sound of its channel that belongs to it, and the render progress.
// Pieces get them from the RenderOutput the shell hands them.
#pragma once

#include "media/masters/RenderFile.h"
#include "media/sound/SoundSystem.h"

#include <cstdint>
#include <memory>

class FrameBuffer;
class RenderOutput;

// A piece names its file, size, frame rate, codec and whether it has sound; the sound format is
// the show's (44100 Hz, 16 bits).
using RenderFileFormat = RenderFileSettings;

class RenderWriter {
public:
    // Creates the file; a failure ends the show with the writer's message, naming the file.
    RenderWriter(const RenderFileFormat& format, RenderOutput& output);
    // Finishes the file when finish was not called; a failure to finish is then kept for the
    // shell (RenderFile::takeUnreportedFailure), which reports it after the piece.
    ~RenderWriter();
    RenderWriter(const RenderWriter&) = delete;
    RenderWriter& operator=(const RenderWriter&) = delete;

    // Frames come from frameBuffer's pixel store (bytes 0..2 of each 4-byte pixel, rows of the
    // store's width from the top, as many as the file is high), sound from channel (0: none).
    // A doubled store is read as it lies, its in-between lines included.
    void attach(FrameBuffer* frameBuffer, SoundHandle channel);
    // Appends the frame now in the frame buffer with its sound; percent 0..100 moves the
    // progress (negative leaves it alone).
    void writeFrame(int32_t percent);
    // Passes over a frame that is not written: its sound is dropped from the capture.
    void skipFrame();
    // Writes the header lengths and the index and closes the file (a failure throws the
    // writer's VideoFailure); later calls do nothing.
    void finish();
    int32_t getFramesWritten() const;

  private:
    std::unique_ptr<RenderFile> file;
};
