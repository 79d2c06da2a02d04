// Playback of a tracker module through libopenmpt into a stereo float buffer, as the show's
// sound system would play it; used to level the module and to check it.
#pragma once

#include "music/AudioBuffer.h"

#include <cstdint>
#include <vector>

namespace Music {

// Renders the whole module at 44.1 kHz; throws std::runtime_error when libopenmpt refuses it.
StereoBuffer renderModule(const std::vector<uint8_t>& bytes);

} // namespace Music
