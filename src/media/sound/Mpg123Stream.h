// An MPEG audio stream (layers I to III) decoded with libmpg123 from a memory block.
#pragma once

#include "media/sound/AudioSource.h"

#include <memory>

// Null when the block holds no decodable MPEG audio.
std::unique_ptr<AudioSource> openMpegStream(const void* data, int64_t size);
