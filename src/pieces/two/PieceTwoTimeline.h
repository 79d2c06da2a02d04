// Piece two's timeline, stepped once per frame at the show clock's time: the switch flashes (each a
// forced cut), the loop windows, black periods with the band values they draw, the clip mix
// and filters on visible frames, and the end of the piece.
#pragma once

#include "pieces/common/ShowParts.h"
#include "pieces/two/PixelFilters.h"

#include <cstdint>

class ClipMixer;
class CutDirector;
class FrameBuffer;
class PieceTwoFilters;

struct LoopWindow {
    int32_t startMs;
    int32_t endMs;
    int32_t loopLength; // ms
    float loopRate;
};

class PieceTwoTimeline {
  public:
    static constexpr int32_t switchCount = 36;
    static constexpr int32_t windowCount = 11;
    // The step after the first one past this ends the piece.
    static constexpr int32_t endMs = showParts[pieceTwoPart].lengthMs;
    static const int32_t switchTimes[switchCount];
    static const LoopWindow loopWindows[windowCount];

    PieceTwoTimeline(ClipMixer& mixer, PieceTwoFilters& filters) : mixer(mixer), filters(filters) {}

    // One frame at nowMs: 0 while the piece goes on, 1 once it is over. A missing frame buffer
    // draws nothing; the timeline runs on all the same. Without pixels the frame is only
    // computed: cuts, fades, loops, filters' seeding and the random numbers move on as if it
    // had been drawn, and the frame buffer is left alone.
    int32_t step(int32_t nowMs, CutDirector& director, FrameBuffer* frameBuffer, bool pixels = true);
    // step, but once step has said the piece is over, -1 on the next call.
    int32_t gate(int32_t nowMs, CutDirector& director, FrameBuffer* frameBuffer, bool pixels = true);

    bool areClipsVisible() const { return clipsVisible; }
    int32_t getSwitchCursor() const { return switchCursor; }
    int32_t getWindowCursor() const { return windowCursor; }
    const BandValues& getBand() const { return band; }

  private:
    void followLoopWindows(CutDirector& director, int32_t now);
    void drawBlack(FrameBuffer* frameBuffer, bool pixels);

    ClipMixer& mixer;
    PieceTwoFilters& filters;
    int32_t switchCursor = 0;
    bool clipsVisible = false;
    int32_t windowCursor = 0;
    bool windowApplied = false;
    BandValues band;
    bool bandDrawn = false;
    int32_t done = 0;
    float lastFrameTime = 0.0f;
};
