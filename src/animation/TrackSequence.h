// An event-driven sequence of keyframe tracks: each event restarts the current segment
// (while it has repeats left) or moves on to the next, started at the event's time; effects read
// its value at the show-clock time they are drawn at.
#pragma once

#include "animation/EventListener.h"
#include "animation/FloatTrack.h"
#include "animation/IntTrack.h"

#include <cstdint>
#include <vector>

struct SequenceStep {
    int32_t repeatCount = 0; // extra plays before moving on; -1 marks a looping end
    int32_t repeatsDone = 0;
    bool loopAll = false; // repeatCount == -1
};

// Track is IntTrack (IntSequence) or FloatTrack (FloatSequence).
template <typename Track> class TrackSequence : public EventListener {
public:
    using Value = typename Track::ValueType;

    void advance(int32_t nowMs) override;
    void add(Value value, int32_t time, int32_t repeat);
    void addValues(const std::vector<Value>& values, int32_t time, int32_t repeat);
    Value value(int32_t nowMs) const;
    const std::vector<Value>& values(int32_t nowMs);
    bool takeChanged();

    size_t segmentCount() const { return segments.size(); }
    size_t currentSegment() const { return current; }

private:
    std::vector<Track> segments;
    std::vector<SequenceStep> steps; // parallel to segments
    size_t current = 0;
    bool changed = false;
    std::vector<Value> noValues; // what values() gives while there are no segments
};

extern template class TrackSequence<IntTrack>;
extern template class TrackSequence<FloatTrack>;
