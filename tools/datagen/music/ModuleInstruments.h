// The instruments of piece one's tracker module, synthesized and stored as 16-bit samples:
// one-shot drums and effects, and looped tones for bass, pad and lead.
#pragma once

#include "music/XmModule.h"

#include <vector>

namespace Music::ModuleInstruments {

// Instrument numbers as the pattern cells name them (1-based).
enum Number : uint8_t {
    Kick = 1,
    Snare,
    Shaker,
    Hat,
    Glitch,
    Crash,
    Riser,
    Bass,
    Pad,
    Lead,
    Bell,
    Crackle, // a second, rougher glitch, alternating with the first
    Count = Crackle
};

// All instruments in number order, each sample scaled by `gain` (at most 1: full scale).
// Pitched instruments play middle C (MIDI 60) on note C-4.
std::vector<Xm::Instrument> build(float gain);

// The module note (1..96) that plays a MIDI note on the pitched instruments.
uint8_t noteFor(int midiNote);

} // namespace Music::ModuleInstruments
