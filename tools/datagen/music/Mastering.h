// Brings a finished mix to its release level: loudness to a target, peaks held under a ceiling
// by a soft limiter that bends only the loudest samples.
#pragma once

#include "music/AudioBuffer.h"

namespace Music {

// Scales the mix to `targetLufs` and bends every sample above the limiter's knee so that no
// sample reaches `ceilingDb`; the loudness lands within a fraction of a LU of the target.
void master(StereoBuffer& buffer, double targetLufs, double ceilingDb);

} // namespace Music
