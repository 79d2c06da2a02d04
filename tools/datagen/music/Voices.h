// The instruments of the show's music: drums, bass, chords, leads and noise effects, each
// rendered as a mono sound at the music's sample rate. Noise comes from the show's generator,
// so a voice is the same on every run once the generator has been seeded.
#pragma once

#include "music/AudioBuffer.h"

#include <vector>

namespace Music {

float noteHz(int midiNote);
// The frequencies of a chord's MIDI notes.
std::vector<float> chordHz(const std::vector<int>& midiNotes);

namespace Voices {

Mono kick(float lowHz = 48.0f, float seconds = 0.5f);
Mono snare(float toneHz = 190.0f, float seconds = 0.32f);
Mono clap();
// A closed hat for short lengths, an open one for long.
Mono hat(float seconds);
Mono crash(float seconds = 1.6f);
// Bit-crushed, sample-and-hold noise with a buzzing ring: the sound of the picture breaking.
Mono glitch(float seconds, float roughness);
// Filtered noise sweeping upwards, louder towards its end.
Mono riser(float seconds);

// Sawtooth plus sub sine through a lowpass that closes after the attack.
Mono bass(float hz, float seconds, float cutoffHz = 500.0f);
// Detuned sawtooths for each note of the chord through a fixed lowpass, slow attack and release.
Mono pad(const std::vector<float>& hz, float seconds, float attack, float release, float cutoffHz,
         float detuneCents = 8.0f);
// A short chord with a fast filter and amplitude decay.
Mono stab(const std::vector<float>& hz, float seconds);
// Plucked string (Karplus-Strong), bright to dull.
Mono pluck(float hz, float seconds, float brightness = 0.5f);
// Two-operator FM bell.
Mono bell(float hz, float seconds);
// A soft sawtooth lead with vibrato.
Mono lead(float hz, float seconds);

} // namespace Voices
} // namespace Music
