// Test material for piece two: the timeline with its director, mixer, filters and tracks, run
// on the show clock set by hand, and the doubled store the piece draws into.
#pragma once

#include "media/clips/ClipLibrary.h"
#include "media/clips/VideoClip.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/FilterTracks.h"
#include "pieces/two/Filters.h"
#include "pieces/two/PieceTwoTimeline.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/ShowFailure.h"
#include "platform/ShowRandom.h"
#include "platform/Timer.h"

#include <algorithm>
#include <cstdint>
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

// A doubled 640x240 store like the piece's own: picture line pixels colour(x), the lines between
// them black.
template <typename Colour> std::unique_ptr<FrameBuffer> doubledStore(Colour colour) {
    writeDisplaySettings(640, 480);
    auto frameBuffer = std::make_unique<FrameBuffer>(640, 240, true);
    for (int32_t y = 0; y < 240; ++y)
        for (int32_t x = 0; x < 640; ++x)
            frameBuffer->getPixels32()[y * 1280 + x] = colour(x);
    return frameBuffer;
}

// Whether all picture lines (offset 0) or all lines between them (offset 640) of a doubled
// 640x240 store are black.
inline bool linesBlack(FrameBuffer* frameBuffer, int32_t offset) {
    for (int32_t y = 0; y < 240; ++y) {
        const uint32_t* line = frameBuffer->getPixels32() + y * 1280 + offset;
        if (std::any_of(line, line + 640, [](uint32_t pixel) { return pixel != 0; })) return false;
    }
    return true;
}

} // namespace PieceTwoTest
