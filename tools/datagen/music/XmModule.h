// An Extended Module (FastTracker 2 ".xm", version 1.04) held in memory and written to bytes:
// patterns of note cells, instruments with one 16-bit sample each and a volume envelope.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Music::Xm {

constexpr uint8_t kKeyOff = 97; // note value that releases the playing note
constexpr uint8_t kNoteC4 = 49; // notes run from 1 (C-0) to 96 (B-7)
constexpr uint8_t kEffectExtended = 0x0E;
constexpr uint8_t kNoteDelay = 0xD0; // E-command sub-effect: start the note x ticks into the row

struct Cell {
    uint8_t note = 0;       // 0 none, 1..96, kKeyOff
    uint8_t instrument = 0; // 0 none, 1..128
    uint8_t volume = 0;     // volume column: 0 none, 0x10 + 0..64 sets the volume
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct Pattern {
    int rows = 64;
    int channels = 0;
    std::vector<Cell> cells; // row-major: rows x channels
    Pattern(int rows, int channels) : rows(rows), channels(channels), cells(size_t(rows * channels)) {}
    Cell& at(int row, int channel) { return cells[size_t(row * channels + channel)]; }
    const Cell& at(int row, int channel) const { return cells[size_t(row * channels + channel)]; }
};

struct Sample {
    std::vector<int16_t> data;
    bool loop = false;       // forward loop over [loopStart, loopStart + loopLength)
    uint32_t loopStart = 0;  // in sample frames
    uint32_t loopLength = 0; // in sample frames
    uint8_t volume = 64;     // 0..64
    uint8_t panning = 128;   // 0 left .. 255 right
    int8_t relativeNote = 0;
    int8_t finetune = 0; // 1/128 semitone
};

struct EnvelopePoint {
    uint16_t tick;
    uint16_t value; // 0..64
};

struct Instrument {
    std::string name;
    Sample sample;
    std::vector<EnvelopePoint> volumeEnvelope; // empty: no envelope (a key-off cuts the note)
    int sustainPoint = -1;                     // index into volumeEnvelope, -1 none
    uint16_t fadeout = 0;                      // volume lost per tick after key-off, of 32768
};

struct Module {
    std::string name;
    int channels = 8;
    int speed = 6; // ticks per row
    int bpm = 125; // a tick lasts 2.5 / bpm seconds
    std::vector<uint8_t> order;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

// Sets the sample's relative note and finetune so that note C-4 plays a sample recorded at
// `sampleRate` whose pitch is `sampleHz` at the pitch `hzAtC4` (linear frequency table), to
// within 1/32 semitone.
void tune(Sample& sample, double sampleRate, double sampleHz, double hzAtC4);

// The module's bytes; throws std::invalid_argument for a module the format cannot hold.
std::vector<uint8_t> write(const Module& module);

} // namespace Music::Xm
