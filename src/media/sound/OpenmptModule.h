// A tracker module played once by libopenmpt from a memory block.
#pragma once

#include "media/sound/AudioSource.h"

#include <memory>

// Null when the block is not a module libopenmpt can load.
std::unique_ptr<AudioSource> openTrackerModule(const void* data, int64_t size);
