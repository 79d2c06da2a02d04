// Keyframe track arithmetic: segment table, key search and linear evaluation, shared by
// IntTrack and FloatTrack.
#include "animation/KeyframeTrack.h"

#include <algorithm>
#include <cmath>

namespace {
template <typename Value> Value fromDouble(double value);

template <> int32_t fromDouble<int32_t>(double value) {
    // The result is a 32-bit float before it becomes whole: 20 + 250 x 0.02f is 24.9999998,
    // which as a float is 25.0 and so gives 25, as a ramp from 20 to 30 should at its middle.
    // Then truncation toward zero; beyond the 32-bit range (a steep extrapolation) saturate.
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    float rounded = float(value);
    if (rounded >= 2147483647.0f) return INT32_MAX;
    return int32_t(rounded);
}

template <> float fromDouble<float>(double value) { return float(value); }
} // namespace

template <typename Value> void KeyframeTrack<Value>::addKey(Value value, int32_t time) {
    appendKey(TrackKey{{float(value)}, time});
}

template <typename Value> void KeyframeTrack<Value>::addKeys(std::vector<Value> values, int32_t time) {
    TrackKey key;
    key.time = time;
    key.values.reserve(values.size());
    for (Value value : values) key.values.push_back(float(value));
    appendKey(std::move(key));
}

template <typename Value> void KeyframeTrack<Value>::appendKey(TrackKey key) {
    // The first key decides the component count; later keys are padded with zeros or cut
    // to it, so the slopes of a segment never read past either key's values.
    if (!keyList.empty()) key.values.resize(keyList.front().values.size(), 0.0f);
    if (ascendingKeys == keyList.size() && (keyList.empty() || key.time >= keyList.back().time))
        ++ascendingKeys;
    keyList.push_back(std::move(key));
    // Appending only ever adds the segment ending at the new key: the same entry a full
    // rebuild would compute, so the table stays identical to rebuildSegments().
    if (keyList.size() >= 2) segmentList.push_back(makeSegment(keyList.size() - 1));
}

template <typename Value> TrackSegment KeyframeTrack<Value>::makeSegment(size_t index) const {
    const TrackKey& from = keyList[index - 1];
    const TrackKey& to = keyList[index];
    TrackSegment segment;
    segment.duration = int32_t(uint32_t(to.time) - uint32_t(from.time));
    segment.slopes.reserve(to.values.size());
    // A duration of 0 gives an infinite or undefined slope; evaluation never reads it.
    for (size_t k = 0; k < to.values.size(); ++k)
        segment.slopes.push_back(
            float((double(to.values[k]) - double(from.values[k])) / double(segment.duration)));
    return segment;
}

template <typename Value> void KeyframeTrack<Value>::rebuildSegments() {
    segmentList.clear();
    for (size_t i = 1; i < keyList.size(); ++i) segmentList.push_back(makeSegment(i));
}

template <typename Value> void KeyframeTrack<Value>::start(int32_t clockTime) {
    started = true;
    startTime = clockTime;
}

template <typename Value> size_t KeyframeTrack<Value>::findKey(int32_t localTime) const {
    if (keyList.size() <= 1) return 0;
    // Count the leading keys with time <= localTime, stopping at the first later key. Over the
    // run of keys in ascending order a binary search finds the same stop; a key added out of
    // order ends that run, and from there the keys are scanned one by one.
    auto later = [](int32_t time, const TrackKey& key) { return time < key.time; };
    auto runEnd = keyList.begin() + std::ptrdiff_t(ascendingKeys);
    size_t count = size_t(std::upper_bound(keyList.begin(), runEnd, localTime, later) - keyList.begin());
    if (count == ascendingKeys)
        while (count < keyList.size() && keyList[count].time <= localTime) ++count;
    return count == 0 ? 0 : count - 1; // before the first key: key 0, whose segment extrapolates
}

template <typename Value> int32_t KeyframeTrack<Value>::localTime(int32_t clockTime) const {
    // A track that was never started is always at local time 0. The difference wraps like
    // the 32-bit tick arithmetic instead of overflowing.
    return started ? int32_t(uint32_t(clockTime) - uint32_t(startTime)) : 0;
}

template <typename Value> Value KeyframeTrack<Value>::valueAt(int32_t clockTime) const {
    if (keyList.empty() || keyList.front().values.empty()) return Value(0); // no value to give
    int32_t local = localTime(clockTime);
    size_t i = findKey(local);
    const TrackKey& key = keyList[i];
    if (i + 1 >= keyList.size()) return fromDouble<Value>(key.values[0]); // at or after the last key: clamp
    const TrackSegment& segment = segmentList[i];
    if (segment.duration == 0) return fromDouble<Value>(keyList[i + 1].values[0]); // a step: later key wins
    double offset = double(int64_t(local) - int64_t(key.time)); // exact, negative before key 0
    return fromDouble<Value>(offset * double(segment.slopes[0]) + double(key.values[0]));
}

template <typename Value> const std::vector<Value>& KeyframeTrack<Value>::valuesAt(int32_t clockTime) {
    output.clear();
    if (keyList.empty()) return output;
    int32_t local = localTime(clockTime);
    size_t i = findKey(local);
    const TrackKey& key = keyList[i];
    const TrackSegment* segment = i + 1 < keyList.size() ? &segmentList[i] : nullptr;
    if (segment && segment->duration == 0) {
        // Only reachable before a first key that shares its time with the second: the step's
        // later key applies, as for valueAt, instead of multiplying by an infinite slope.
        for (float value : keyList[i + 1].values) output.push_back(fromDouble<Value>(value));
    } else if (segment) {
        double offset = double(int64_t(local) - int64_t(key.time));
        for (size_t k = 0; k < key.values.size(); ++k)
            output.push_back(fromDouble<Value>(offset * double(segment->slopes[k]) + double(key.values[k])));
    } else {
        for (float value : key.values) output.push_back(fromDouble<Value>(value));
    }
    return output;
}

template class KeyframeTrack<int32_t>;
template class KeyframeTrack<float>;
