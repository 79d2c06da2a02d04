// Effects on whole mixes, applied in place: a ping-pong echo, a small Schroeder reverb, and a
// stutter that repeats a slice of the music.
#pragma once

#include "music/AudioBuffer.h"

namespace Music::Effects {

// Adds echoes `delayMs` apart, alternating sides, each `feedback` times the one before and
// darker; `wet` is the level of the first echo.
void echo(StereoBuffer& buffer, float delayMs, float feedback, float wet);
// Adds a diffuse tail of about `seconds` (time to fall 60 dB) at level `wet`.
void reverb(StereoBuffer& buffer, float seconds, float wet);
// Replaces [startMs, endMs) by repeats of its first `sliceMs`, each repeat faded in and out
// over 2 ms so the joins do not click.
void stutter(StereoBuffer& buffer, double startMs, double endMs, double sliceMs);

} // namespace Music::Effects
