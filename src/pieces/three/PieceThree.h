// Piece three: grey scanlines of the flight clip and fifteen dissolving photographs over its
// music, with the entry points the show shell calls (load at start, then setup, run and stop
// for every run, and release at the end of the show).
#pragma once

#include "pieces/common/Piece.h"
#include "pieces/three/RowTables.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ClipLibrary;
class SoundEntries;
struct PairPictures;

class PieceThree : public Piece {
public:
    PieceThree();
    ~PieceThree() override;

    // Opens the sound output, creates the music stream (ShowFailure 1), makes sure the flight clip
    // is in the clip store, decodes the fifteen photographs with their fade maps (a fade map
    // smaller than its photograph is refused, ShowFailure 1) and builds the row tables.
    void load(const PieceContext& context) override;
    // A new run: the scanlines, the pairs and the noise floor at their start (the floor's
    // trigger on the scene manager); shows black; in video mode opens the hidden display and
    // attaches "piece_3.avi" to the frame buffer and the music; starts the clock and the music
    // (ShowFailure 3). A frame buffer other than a plain 640x480 one of 32 bits is refused.
    void setup(const PieceContext& context) override;
    // The frame loop: until a close or quit request or the clock reaches 106000 ms.
    void run(const PieceContext& context) override;
    // Stops the music (ShowFailure 2); also called for a piece a quit request skipped.
    void stop() override;
    // Finishes the file if still open and empties the clip store.
    void release() override;
    std::vector<int64_t> renderedFrames(int32_t framesPerSecond) const override;

    // The music stream load made (0 before load), for tests.
    uint32_t getMusicStream() const { return musicStream; }

    struct Run;

private:
    bool loaded = false;
    std::unique_ptr<SoundEntries> sounds;
    ClipLibrary* clips = nullptr;
    uint32_t musicStream = 0;
    std::string clipName;
    std::vector<RowTable> rowTables;
    std::vector<std::shared_ptr<const PairPictures>> pairPictures; // one per pair, in plan order
    std::unique_ptr<Run> current;
};
