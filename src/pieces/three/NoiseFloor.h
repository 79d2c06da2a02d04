// Piece three's noise floor: the sequence that darkens the scanlines in step with the music, and
// the time trigger that moves it from segment to segment.
#pragma once

#include "animation/FloatSequence.h"
#include "animation/TimeTrigger.h"

#include <cstdint>

class NoiseFloor {
  public:
    // An opening segment (0.0, played once), the piece's 18 segments (each played twice: on the
    // event that enters it and again on the next one), and the trigger attached to the sequence.
    NoiseFloor();
    NoiseFloor(const NoiseFloor&) = delete;
    NoiseFloor& operator=(const NoiseFloor&) = delete;

    FloatSequence& getSequence() { return sequence; }
    TimeTrigger& getTrigger() { return trigger; }
    // The darkening of the scanlines at nowMs: the sequence's value x 96 (96 blacks every line).
    float floorAt(int32_t nowMs) const { return sequence.value(nowMs) * 96.0f; }

    // The trigger's table: every time twice (the second event restarts the segment the first
    // one entered), then -1.
    static const int32_t triggerTimes[37];
    static constexpr size_t segmentCount = 19;

  private:
    FloatSequence sequence{0.0f};
    TimeTrigger trigger;
};
