// The three clips of the show, composed and encoded as AVI files under their archive names.
#pragma once

#include "common/DataEntry.h"

#include <vector>

struct ClipPlan {
    const char* name;      // archive name
    int width, height;
    int framesPerSecond;
    int frameCount;        // enough frames to cover the longest time the pieces ask for
};

namespace Clips {
const std::vector<ClipPlan>& plans();
// Renders and encodes clip `index` (0, 1 or 2 in the order of plans()).
DataEntry compose(size_t index);
std::vector<DataEntry> composeAll();
} // namespace Clips
