// Piece two's cut director: which of the two clips is cut in, the clip it fades from, their play
// positions and the cross-fade weight, worked through the fixed list of cuts.
#pragma once

#include "animation/FloatTrack.h"

#include <array>
#include <cstdint>

// One cut: the clip cut in, where it starts (units of 10000 ms of its clip curve), the weight of
// the clip it replaces at the cut, and how much of that weight the fade loses per ms.
struct CutEntry {
    int32_t clipIndex;
    float startPosition;
    float mix;
    float fadeRate;
};

inline constexpr int32_t cutListLength = 66;
const std::array<CutEntry, cutListLength>& cutList();

class CutDirector {
  public:
    // Values of advance that stand for "take it from the cut list".
    static constexpr float listPosition = -1.0f;
    static constexpr int32_t listClip = -1;

    CutDirector();

    // Applies the next cut of the list. The automatic call (startPosition -1.0) does nothing
    // while a fade is still running (mix above 0); a forced cut always applies. The cut that
    // uses up the list (the 66th) ends the show with error code 0: a whole run of the piece
    // takes 60 cuts, so reaching it means the timeline went wrong.
    void advance(float startPosition, int32_t clipIndex);
    void beginLoop(int32_t length, float rate);
    void endLoop() { looping = false; }

    // The fade rate of the entry the next cut will apply.
    float nextFadeRate() const {
        return cutList()[size_t(cutCursor < cutListLength ? cutCursor : cutListLength - 1)].fadeRate;
    }
    int32_t getCutCursor() const { return cutCursor; }

    int32_t currentClip = 1;
    int32_t previousClip = 1;
    float currentPosition = 0.0f;
    float previousPosition = 0.0f;
    float mix = 0.0f; // weight of the previous clip in the cross-fade
    // Clip time curves: play forwards over the first half, backwards over the second.
    FloatTrack clipOneCurve;
    FloatTrack clipTwoCurve;
    bool looping = false;
    float loopRate = 1.0f;
    int32_t loopLength = 0; // ms

  private:
    int32_t cutCursor = 0;
};
