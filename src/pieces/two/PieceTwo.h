// Piece two: two clips cut and cross-faded to its music through full-frame filters, with the
// entry points the show shell calls (load at start, then setup, run and stop for every run, and
// release at the end of the show).
#pragma once

#include "pieces/common/Piece.h"
#include "pieces/two/FilterTracks.h"

#include <cstdint>
#include <memory>
#include <string>

class ClipLibrary;
class FrameBuffer;
class SoundEntries;

class PieceTwo : public Piece {
public:
    PieceTwo();
    ~PieceTwo() override;

    // Opens the sound output, decodes both clips into the clip store, creates the music stream
    // and builds the filter tracks and tables.
    void load(const PieceContext& context) override;
    // A new run: the cut director, timeline and filters at their start, the doubled 640x240 store
    // on the device and as the clip store's target, in video mode the hidden display and
    // "piece_2.avi"; then the clock and the music start.
    void setup(const PieceContext& context) override;
    // The frame loop, up to 150 s or the timeline's end (140 s) or a quit or close request.
    void run(const PieceContext& context) override;
    void stop() override;
    // Finishes the file if still open and empties the clip store.
    void release() override;
    std::vector<int64_t> renderedFrames(int32_t framesPerSecond) const override;

    // The music channel, 0 before load (for tests).
    uint32_t getMusic() const { return music; }

    struct Run;

private:
    bool loaded = false;
    std::unique_ptr<SoundEntries> sounds;
    ClipLibrary* clips = nullptr;
    // The store lines between the picture lines are zeroed when the store is made and never
    // written, so they show black.
    std::unique_ptr<FrameBuffer> frameBuffer;
    uint32_t music = 0;
    std::string clipNames[2];
    FilterTracks tracks;
    std::unique_ptr<Run> current;
};
