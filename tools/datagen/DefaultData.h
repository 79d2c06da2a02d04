// The whole default archive: every entry the show reads, composed from code in a fixed order.
#pragma once

#include "common/DataEntry.h"

#include <vector>

namespace DefaultData {
// Menu pictures, photographs and fade maps.
std::vector<DataEntry> composePictures();
// Pictures, clips and music. The clips are rendered on a second thread while the music and the
// pictures are composed; the order of the entries does not depend on which finishes first.
// Throws std::runtime_error with a message naming what failed.
std::vector<DataEntry> composeAll();
} // namespace DefaultData
