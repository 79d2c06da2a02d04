// Sequence bookkeeping: segments, repeat counts, the event flag and the loop back to the start.
#include "animation/TrackSequence.h"

template <typename Track> void TrackSequence<Track>::add(Value value, int32_t time, int32_t repeat) {
    addValues(std::vector<Value>{value}, time, repeat);
}

template <typename Track>
void TrackSequence<Track>::addValues(const std::vector<Value>& values, int32_t time, int32_t repeat) {
    // Time 0 opens a new segment; any other time adds a key to the last one. A key for a
    // later time with no segment to join opens one as well (the repeat then applies to it).
    if (time == 0 || segments.empty()) {
        segments.emplace_back();
        steps.push_back(SequenceStep{repeat, 0, repeat == -1});
    }
    Track& track = segments.back();
    if (values.size() == 1)
        track.addKey(values[0], time);
    else
        track.addKeys(values, time);
}

template <typename Track> void TrackSequence<Track>::advance(int32_t nowMs) {
    if (segments.empty() || steps.empty()) return;
    changed = true;
    SequenceStep& step = steps[current];
    if (step.repeatsDone < step.repeatCount) { // another play of the same segment
        ++step.repeatsDone;
        segments[current].start(nowMs);
    } else if (current + 1 < segments.size()) {
        ++current;
        segments[current].start(nowMs);
    } else if (steps.back().loopAll) {
        // Back to the start; from now on no segment repeats, each plays once per pass.
        for (SequenceStep& each : steps) each.repeatsDone = each.repeatCount;
        current = 0;
        segments[0].start(nowMs);
    }
    // Otherwise the last segment keeps running from its last start.
}

template <typename Track> typename TrackSequence<Track>::Value TrackSequence<Track>::value(int32_t nowMs) const {
    if (segments.empty()) return Value(0);
    return segments[current].valueAt(nowMs);
}

template <typename Track> const std::vector<typename Track::ValueType>& TrackSequence<Track>::values(int32_t nowMs) {
    if (segments.empty()) return noValues;
    return segments[current].valuesAt(nowMs);
}

template <typename Track> bool TrackSequence<Track>::takeChanged() {
    bool wasChanged = changed;
    changed = false;
    return wasChanged;
}

template class TrackSequence<IntTrack>;
template class TrackSequence<FloatTrack>;
