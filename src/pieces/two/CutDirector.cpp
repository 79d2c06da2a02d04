// The cut list and the cuts of piece two's director.
#include "pieces/two/CutDirector.h"

#include "platform/ShowFailure.h"

#include <string>

namespace {
// Rows of equal entries: how many, clip index, start position, fade rate per ms (mix 1.0).
struct CutRun {
    int32_t count;
    int32_t clipIndex;
    float startPosition;
    float fadeRate;
};

constexpr CutRun cutRuns[] = {
    {10, 1, 0.2f, 0.0002f}, {9, 1, 0.2f, 0.00002f}, {1, 1, 0.2f, 0.00001f}, {1, 1, 0.0f, 0.0002f},
    {2, 0, 0.5f, 0.0002f},  {7, 0, 0.7f, 0.0002f},  {1, 1, 0.1f, 0.0002f},  {1, 0, 0.7f, 0.0002f},
    {1, 0, 0.0f, 0.0002f},  {1, 0, 0.2f, 0.0002f},  {1, 0, 0.7f, 0.0002f},  {1, 0, 1.2f, 0.0002f},
    {1, 1, 1.2f, 0.0002f},  {1, 0, 0.7f, 0.0002f},  {1, 0, 0.0f, 0.0002f},  {8, 0, 1.2f, 0.0002f},
    {3, 1, 0.1f, 0.0002f},  {1, 0, 0.7f, 0.0002f},  {1, 0, 0.2f, 0.0002f},  {2, 0, 0.0f, 0.0002f},
    {2, 0, 1.7f, 0.0002f},  {1, 0, 1.8f, 0.0002f},  {1, 0, 1.9f, 0.0002f},  {8, 0, 2.0f, 0.0002f},
};

constexpr std::array<CutEntry, cutListLength> buildCutList() {
    std::array<CutEntry, cutListLength> list{};
    size_t n = 0;
    for (const CutRun& run : cutRuns)
        for (int32_t k = 0; k < run.count; ++k)
            list[n++] = {run.clipIndex, run.startPosition, 1.0f, run.fadeRate};
    return list;
}

constexpr int32_t countCuts() {
    int32_t total = 0;
    for (const CutRun& run : cutRuns)
        total += run.count;
    return total;
}
static_assert(countCuts() == cutListLength, "the cut runs fill the cut list exactly");

ShowFailure exhausted(int32_t cut) {
    return ShowFailure(0, "piece two: cut " + std::to_string(cut) + " applied with the cut list exhausted");
}
} // namespace

const std::array<CutEntry, cutListLength>& cutList() {
    static constexpr std::array<CutEntry, cutListLength> list = buildCutList();
    return list;
}

CutDirector::CutDirector() {
    clipTwoCurve.addKey(0.0f, 0);
    clipTwoCurve.addKey(1.0f, 11000);
    clipTwoCurve.addKey(0.0f, 22000);
    clipOneCurve.addKey(0.0f, 0);
    clipOneCurve.addKey(1.0f, 17000);
    clipOneCurve.addKey(0.0f, 34000);
}

void CutDirector::advance(float startPosition, int32_t clipIndex) {
    if (mix != 0.0f && startPosition == listPosition) return;
    if (cutCursor >= cutListLength) throw exhausted(cutCursor + 1);
    const CutEntry& entry = cutList()[size_t(cutCursor)];
    previousClip = currentClip;
    currentClip = clipIndex == listClip ? entry.clipIndex : clipIndex;
    previousPosition = currentPosition;
    currentPosition = startPosition == listPosition ? entry.startPosition : startPosition;
    mix = entry.mix;
    if (++cutCursor == cutListLength) throw exhausted(cutCursor);
}

void CutDirector::beginLoop(int32_t length, float rate) {
    looping = true;
    loopLength = length;
    loopRate = rate;
}
