// MPEG-1 Layer III encoding of the show's music with LAME: constant bit rate, joint stereo,
// an Info frame for exact length, no ID3 tag, the same bytes for the same audio.
#pragma once

#include "music/AudioBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Music {

// Encodes 44.1 kHz stereo at `kbps`; throws std::runtime_error naming `name` on failure.
std::vector<uint8_t> encodeMp3(const StereoBuffer& audio, int kbps, const std::string& name);

} // namespace Music
