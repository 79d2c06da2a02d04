// The show's time line and the plans of a range.
#include "shell/ShowRange.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int32_t never = std::numeric_limits<int32_t>::max();

int32_t ceilMs(int64_t us) { return int32_t(std::clamp<int64_t>((us + 999) / 1000, 0, never)); }

// Each chosen part's span cut to [fromUs, toUs), in show order.
struct Span {
    int64_t startUs, endUs;
};
std::vector<Span> chosenSpans(const ShowTimeline& timeline, const std::array<bool, 3>& chosen, int64_t fromUs,
                              int64_t toUs) {
    std::vector<Span> spans;
    for (int p = 0; p < showPartCount; ++p) {
        if (!chosen[size_t(showParts[p].piece)]) continue;
        const int64_t start = std::max(timeline.startUs[size_t(p)], fromUs);
        const int64_t end = std::min(timeline.startUs[size_t(p)] + timeline.lengthUs[size_t(p)], toUs);
        if (start < end) spans.push_back({start, end});
    }
    return spans;
}
} // namespace

ShowTimeline ShowTimeline::live() {
    ShowTimeline timeline;
    int64_t at = 0;
    for (int p = 0; p < showPartCount; ++p) {
        timeline.startUs[size_t(p)] = at;
        timeline.lengthUs[size_t(p)] = int64_t(showParts[p].lengthMs) * 1000;
        at += timeline.lengthUs[size_t(p)];
    }
    return timeline;
}

ShowTimeline ShowTimeline::video(int32_t framesPerSecond, const std::array<std::vector<int64_t>, 3>& partFrames) {
    ShowTimeline timeline;
    timeline.framesPerSecond = framesPerSecond;
    std::array<size_t, 3> next{};
    int64_t frame = 0;
    for (int p = 0; p < showPartCount; ++p) {
        const auto& ofPiece = partFrames[size_t(showParts[p].piece)];
        const size_t k = next[size_t(showParts[p].piece)]++;
        const int64_t count = k < ofPiece.size() ? ofPiece[k] : 0;
        timeline.frames[size_t(p)] = count;
        timeline.firstFrame[size_t(p)] = frame;
        timeline.startUs[size_t(p)] = frame * 1000000 / framesPerSecond;
        timeline.lengthUs[size_t(p)] = (frame + count) * 1000000 / framesPerSecond - timeline.startUs[size_t(p)];
        frame += count;
    }
    return timeline;
}

int64_t ShowTimeline::frameAtOrAfter(int64_t us) const {
    // The first n with n / fps >= us / 1e6.
    return (us * framesPerSecond + 999999) / 1000000;
}

RangePlan wholeShow(const ShowTimeline& timeline, const std::array<bool, 3>& chosen) {
    RangePlan plan;
    for (size_t k = 0; k < 3; ++k)
        plan.runs[k] = plan.shows[k] = chosen[k];
    for (int p = 0; p < showPartCount; ++p)
        if (chosen[size_t(showParts[p].piece)]) plan.writtenFrames[size_t(p)] = timeline.frames[size_t(p)];
    return plan;
}

RangePlan planRange(const ShowTimeline& timeline, const std::array<bool, 3>& chosen, int64_t fromUs, int64_t toUs,
                    const std::array<bool, 3>& startKnown) {
    RangePlan plan;
    const bool video = timeline.framesPerSecond > 0;
    const int64_t firstShown = video ? timeline.frameAtOrAfter(fromUs) : 0;
    // A range to the end takes every frame of the last part, however its length rounds.
    const int64_t endShown =
        !video ? 0 : toUs >= timeline.endUs() ? std::numeric_limits<int64_t>::max() / 2 : timeline.frameAtOrAfter(toUs);
    std::array<int, 3> partOfPiece{};
    for (int p = 0; p < showPartCount; ++p) {
        const int k = showParts[p].piece;
        PartPlan& part = plan.pieces[size_t(k)][size_t(partOfPiece[size_t(k)]++)];
        const int64_t start = timeline.startUs[size_t(p)];
        const int64_t end = start + timeline.lengthUs[size_t(p)];
        if (video) {
            const int64_t frames = timeline.frames[size_t(p)], first = timeline.firstFrame[size_t(p)];
            part.firstFrame = std::clamp<int64_t>(firstShown - first, 0, frames);
            part.endFrame = std::clamp<int64_t>(endShown - first, 0, frames);
            part.write = part.endFrame > part.firstFrame;
            part.play = endShown > first;
            if (part.write && chosen[size_t(k)]) plan.writtenFrames[size_t(p)] = part.endFrame - part.firstFrame;
        } else {
            part.startMs = end <= fromUs ? never : ceilMs(fromUs - start);
            part.endMs = toUs < end ? ceilMs(toUs - start) : never;
            part.play = start < toUs;
            part.write = start < toUs && end > fromUs;
        }
        if (chosen[size_t(k)] && part.write) plan.shows[size_t(k)] = true;
    }
    int firstShownPiece = 3;
    for (int k = 2; k >= 0; --k)
        if (plan.shows[size_t(k)]) firstShownPiece = k;
    for (int k = 0; k < 3; ++k) {
        const bool before = k < firstShownPiece && firstShownPiece < 3 && !startKnown[size_t(firstShownPiece)];
        plan.runs[size_t(k)] = chosen[size_t(k)] && (plan.shows[size_t(k)] || before);
        if (plan.runs[size_t(k)] && !plan.shows[size_t(k)])
            for (PartPlan& part : plan.pieces[size_t(k)]) {
                // Only computed: every frame passed over, nothing written, the whole piece run.
                part = PartPlan{};
                part.write = false;
                part.firstFrame = std::numeric_limits<int64_t>::max();
                part.startMs = never;
            }
    }
    return plan;
}

int64_t moveWithinRange(const ShowTimeline& timeline, const std::array<bool, 3>& chosen, int64_t fromUs,
                        int64_t toUs, int64_t showUs, int64_t deltaUs, bool wrap) {
    const std::vector<Span> spans = chosenSpans(timeline, chosen, fromUs, toUs);
    if (spans.empty()) return fromUs;
    // The played time of showUs: the chosen time before it.
    int64_t played = 0, total = 0;
    for (const Span& span : spans) {
        if (showUs >= span.endUs)
            played += span.endUs - span.startUs;
        else if (showUs > span.startUs)
            played += showUs - span.startUs;
        total += span.endUs - span.startUs;
    }
    int64_t target = played + deltaUs;
    if (target >= total) return wrap ? spans.front().startUs : toUs;
    target = std::max<int64_t>(target, 0);
    for (const Span& span : spans) {
        if (target < span.endUs - span.startUs) return span.startUs + target;
        target -= span.endUs - span.startUs;
    }
    return toUs;
}
