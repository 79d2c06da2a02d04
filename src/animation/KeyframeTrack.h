// A piecewise-linear keyframe track over milliseconds: keys appended in ascending time order,
// evaluated against the show clock relative to the time the track was started.
#pragma once

#include "animation/TrackKey.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Value is int32_t (IntTrack: results truncated toward zero) or float (FloatTrack).
// Key values are stored as 32-bit floats in both cases; evaluation is done in double.
template <typename Value> class KeyframeTrack {
public:
    using ValueType = Value;

    void addKey(Value value, int32_t time);
    void addKeys(std::vector<Value> values, int32_t time);
    Value valueAt(int32_t clockTime) const;
    const std::vector<Value>& valuesAt(int32_t clockTime);
    void start(int32_t clockTime);
    void rebuildSegments();
    size_t findKey(int32_t localTime) const;

    const std::vector<TrackKey>& keys() const { return keyList; }
    const std::vector<TrackSegment>& segments() const { return segmentList; }
    bool isStarted() const { return started; }
    int32_t getStartTime() const { return startTime; }

private:
    void appendKey(TrackKey key);
    TrackSegment makeSegment(size_t index) const; // joins key index-1 to key index
    int32_t localTime(int32_t clockTime) const;

    std::vector<TrackKey> keyList;
    std::vector<TrackSegment> segmentList;
    std::vector<Value> output;
    int32_t startTime = 0;
    bool started = false;
    size_t ascendingKeys = 0; // length of the leading run of keys in non-decreasing time order
};

extern template class KeyframeTrack<int32_t>;
extern template class KeyframeTrack<float>;
