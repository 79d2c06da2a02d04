// JPEG encoding of composed pictures with TurboJPEG: colour (3 channels) and greyscale (1 channel).
#pragma once

#include "common/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace JpegEncoder {
// Throws std::runtime_error naming `what` when the encoder fails.
std::vector<uint8_t> encodeColour(const Picture& picture, int quality, const std::string& what);
std::vector<uint8_t> encodeGrey(const GreyPicture& picture, int quality, const std::string& what);
} // namespace JpegEncoder
