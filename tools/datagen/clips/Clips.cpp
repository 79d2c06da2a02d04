// Clip 1 is the flight over the landscape (piece two's first clip, also piece three's
// scanlines), clip 2 the tunnel (piece two), clip 3 the turning solids (piece one's box).
#include "clips/Clips.h"

#include "clips/ClipEncoder.h"
#include "clips/ClipScenes.h"
#include "resources/ShowClips.h"

#include <optional>
#include <stdexcept>

const std::vector<ClipPlan>& Clips::plans() {
    static const std::vector<ClipPlan> list = {
        {showClips[flightClip].archiveName, 640, 160, showClips[flightClip].framesPerSecond, 392}, // 17.04 s
        {showClips[tunnelClip].archiveName, 640, 160, showClips[tunnelClip].framesPerSecond, 256}, // 11.13 s
        {showClips[solidsClip].archiveName, 320, 240, showClips[solidsClip].framesPerSecond, 97},  // 3.34 s
    };
    return list;
}

DataEntry Clips::compose(size_t index) {
    if (index >= plans().size()) throw std::runtime_error("couldn't compose clip: no clip number " + std::to_string(index + 1));
    const ClipPlan& plan = plans()[index];
    ClipEncoder encoder({plan.width, plan.height, plan.framesPerSecond, 3, 23}, plan.name);
    std::optional<VoxelFlight> flight; // its landscape maps take a moment to build
    if (index == 0) flight.emplace();
    // Piece one loops this clip; its motion repeats over 96 frames.
    const float solidsPeriod = 96.0f / float(plan.framesPerSecond);
    for (int frame = 0; frame < plan.frameCount; ++frame) {
        float seconds = float(frame) / float(plan.framesPerSecond);
        Picture picture = index == 0   ? flight->render(plan.width, plan.height, seconds)
                          : index == 1 ? Tunnel::render(plan.width, plan.height, seconds)
                                       : LitSolids::render(plan.width, plan.height, seconds, solidsPeriod);
        encoder.addFrame(picture.toRgb());
    }
    return {plan.name, encoder.finish()};
}

std::vector<DataEntry> Clips::composeAll() {
    std::vector<DataEntry> entries;
    for (size_t i = 0; i < plans().size(); ++i) entries.push_back(compose(i));
    return entries;
}
