// A tracker module played once by libopenmpt from a memory block.
#pragma once

#include "media/sound/AudioSource.h"

#include <memory>
#include <string>

// Null when the block is not a module libopenmpt can load; reason (when given) then gets
// libopenmpt's text for why.
std::unique_ptr<AudioSource> openTrackerModule(const void* data, int64_t size, std::string* reason = nullptr);
