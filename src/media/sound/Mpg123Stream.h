// An MPEG audio stream (layers I to III) decoded with libmpg123 from a memory block.
#pragma once

#include "media/sound/AudioSource.h"

#include <memory>
#include <string>

// Null when the block holds no decodable MPEG audio; reason (when given) then gets libmpg123's
// or the reader's text for why.
std::unique_ptr<AudioSource> openMpegStream(const void* data, int64_t size, std::string* reason = nullptr);
