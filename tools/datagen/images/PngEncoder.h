// PNG encoding of composed pictures with libavcodec's PNG encoder (8-bit RGB).
#pragma once

#include "common/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace PngEncoder {
// The PNG file's bytes. Throws std::runtime_error naming `what` when the encoder fails.
std::vector<uint8_t> encode(const Picture& picture, const std::string& what);
} // namespace PngEncoder
