// Where the show's parts lie on its time line, and what a from=/to= range makes of them. In
// video mode frame n of the whole render is at n / fps seconds (the parts follow each other frame
// by frame); live, the parts follow each other by their lengths. For each chosen piece the plan
// says which of its parts are written or shown, which only computed and which not reached.
#pragma once

#include "pieces/common/PartPlan.h"
#include "pieces/common/ShowParts.h"

#include <array>
#include <cstdint>
#include <vector>

struct ShowTimeline {
    std::array<int64_t, showPartCount> startUs{};
    std::array<int64_t, showPartCount> lengthUs{};
    // Video: the frames each part gets and the whole render's index of its first frame.
    std::array<int64_t, showPartCount> frames{};
    std::array<int64_t, showPartCount> firstFrame{};
    int32_t framesPerSecond = 0; // 0: live

    // The parts by their lengths on the pieces' clocks.
    static ShowTimeline live();
    // partFrames: each piece's parts' frames at framesPerSecond, in part order.
    static ShowTimeline video(int32_t framesPerSecond, const std::array<std::vector<int64_t>, 3>& partFrames);

    int64_t endUs() const { return startUs[showPartCount - 1] + lengthUs[showPartCount - 1]; }
    // The first frame of the whole render at or after show time us.
    int64_t frameAtOrAfter(int64_t us) const;
};

struct RangePlan {
    std::array<PiecePlan, 3> pieces;
    // The piece runs: it shows a part, or it is computed so that a later one starts as it would.
    std::array<bool, 3> runs{};
    std::array<bool, 3> shows{};
    // Video: the frames written to each part's file (0: no file).
    std::array<int64_t, showPartCount> writtenFrames{};

    bool showsNothing() const { return !shows[0] && !shows[1] && !shows[2]; }
};

// The plan of a whole render or show: every chosen piece run and shown from its first frame.
RangePlan wholeShow(const ShowTimeline& timeline, const std::array<bool, 3>& chosen);
// The plan of [fromUs, toUs) for the chosen pieces. startKnown[k]: piece k's start (its random
// state) is known from an earlier run, so the pieces before it need not be computed to reach it.
RangePlan planRange(const ShowTimeline& timeline, const std::array<bool, 3>& chosen, int64_t fromUs, int64_t toUs,
                    const std::array<bool, 3>& startKnown = {});

// The range's show time moved by deltaUs along the chosen parts' time inside [fromUs, toUs): the
// parts not chosen are passed over. Past the end it gives toUs, or fromUs again with wrap;
// before the start it stops at the start.
int64_t moveWithinRange(const ShowTimeline& timeline, const std::array<bool, 3>& chosen, int64_t fromUs,
                        int64_t toUs, int64_t showUs, int64_t deltaUs, bool wrap);
