// Piece two's mixing step: turns the cut director's state into the two clips' play times, runs
// the cross-fade down and draws the blend (with its vertical roll) through the clip library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class ClipLibrary;
class CutDirector;

class ClipMixer {
  public:
    // Draws through clips, into its target.
    explicit ClipMixer(ClipLibrary& clips) : clips(clips) {}

    // Clip index 0 and 1: the library names of the first and the second clip.
    void setClipNames(const std::string& clipOne, const std::string& clipTwo);
    const std::string& clipName(int32_t clipIndex) const;

    // The time in ms of clip clipIndex at its play position, after moving the position on by
    // dt ms. Outside a loop window the clip follows its curve; inside one it repeats
    // loopLength ms from where it was when the window opened, loopRate times as fast.
    int32_t clipTime(CutDirector& director, int32_t clipIndex, float& position, float dt);
    // One visible frame at show-clock time nowMs: both clip times, the fade (held while looping
    // outside 60000..80000 ms), then the cross-fade into the library's target (left out, the
    // roll's draw still made, when the frame is only computed).
    void mixClips(int32_t nowMs, CutDirector& director, float dt, bool pixels = true);
    // The roll of a blend at nowMs: a random row offset below the roll track's value, 0 where
    // the track is 0.
    static int32_t rollOffsetAt(int32_t nowMs);

  private:
    ClipLibrary& clips;
    std::array<std::string, 2> names;
    int32_t loopFrames = 0;                   // clip times taken since the loop window opened
    std::array<int32_t, 2> loopBase = {0, 0}; // where each clip was when the window opened, ms
};
