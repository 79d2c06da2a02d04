// Space for the mixes: a ping-pong echo and a small Schroeder reverb, both applied in place.
#pragma once

#include "music/AudioBuffer.h"

namespace Music::Effects {

// Adds echoes `delayMs` apart, alternating sides, each `feedback` times the one before and
// darker; `wet` is the level of the first echo.
void echo(StereoBuffer& buffer, float delayMs, float feedback, float wet);
// Adds a diffuse tail of about `seconds` (time to fall 60 dB) at level `wet`.
void reverb(StereoBuffer& buffer, float seconds, float wet);

} // namespace Music::Effects
