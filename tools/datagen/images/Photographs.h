// The photographs that piece three dissolves in and out, with the fade map that serves each.
#pragma once

#include "common/DataEntry.h"
#include "common/Picture.h"
#include "images/FadeMaps.h"

#include <vector>

struct PhotographPlan {
    const char* photograph; // archive name of the photograph
    const char* fadeMap;    // archive name of its fade map (same size as the photograph)
    int width, height;      // chosen so the picture sits inside piece three's frame at its place
    Picture (*render)(int width, int height);
    FadeMaps::Style style;
};

namespace Photographs {
const std::vector<PhotographPlan>& plans();
// Every photograph, then every fade map, as JPEG entries in a fixed order.
std::vector<DataEntry> composeAll();
} // namespace Photographs
