// Test material for piece two: the timeline with its director, mixer, filters and tracks, run
// on the show clock set by hand, and small pixel stores for the filters.
#pragma once

#include "media/clips/ClipLibrary.h"
#include "media/clips/VideoClip.h"
#include "pieces/LiveRun.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/FilterTracks.h"
#include "pieces/two/Filters.h"
#include "pieces/two/PieceTwoTimeline.h"
#include "platform/FrameBuffer.h"
#include "platform/ShowFailure.h"
#include "platform/ShowRandom.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace PieceTwoTest {

// The piece's timeline objects, fresh, at show-clock time 0, drawing into nothing unless a frame
// buffer is given (their clip store has no clips and no target).
struct TimelineRig {
    TimelineRig() : mixer(clips), filters(tracks), timeline(mixer, filters) {
        buildSmearTracks(tracks);
        buildFilterTracks(tracks);
        filters.setSeed(1);
        ShowRandom::seed(1);
        mirrorClips = false;
    }
    ~TimelineRig() { mirrorClips = false; }

    // One frame as the piece's loop makes it, at ms on the show clock.
    int32_t frameAt(int32_t ms, FrameBuffer* frameBuffer = nullptr) {
        nowMs = ms;
        if (frameBuffer) frameBuffer->setTop(40);
        director.advance(CutDirector::listPosition, CutDirector::listClip);
        int32_t result = timeline.gate(ms, director, frameBuffer);
        if (frameBuffer) frameBuffer->setTop(0);
        return result;
    }

    int32_t nowMs = 0;
    ClipLibrary clips;
    FilterTracks tracks;
    CutDirector director;
    ClipMixer mixer;
    PieceTwoFilters filters;
    PieceTwoTimeline timeline;
};

// A whole run of the timeline: how many cuts it applied, how many frames it presented, and
// whether a cut ran past the end of the cut list.
struct WholeRun {
    int32_t cuts = 0;
    int32_t frames = 0;
    bool listExhausted = false;
    int32_t endMs = 0;
};

// Runs frames until the timeline ends; timeOf(n) is frame n's show-clock time in ms.
inline WholeRun runWholePiece(const std::function<int32_t(int32_t)>& timeOf) {
    TimelineRig rig;
    WholeRun run;
    try {
        for (int32_t n = 0;; ++n) {
            if (rig.frameAt(timeOf(n)) == -1) break;
            ++run.frames;
        }
    } catch (const ShowFailure& failure) {
        run.listExhausted = failure.code() == 0;
    }
    run.cuts = rig.director.getCutCursor();
    run.endMs = rig.nowMs;
    return run;
}

} // namespace PieceTwoTest
