// An event-driven sequence of float keyframe tracks; may start with one constant segment.
#pragma once

#include "animation/TrackSequence.h"

class FloatSequence : public TrackSequence<FloatTrack> {
public:
    FloatSequence() = default;
    // One segment holding the single key (initialValue, 0 ms), played once.
    explicit FloatSequence(float initialValue) { add(initialValue, 0, 0); }
};
