// Writing FastTracker 2 Extended Modules. All numbers are little-endian. Layout:
//
// File header (offset: size field)
//   0: "Extended Module: " (17)   17: module name (20, zero padded)   37: 0x1A
//   38: tracker name (20)   58: version 0x0104 (2)
//   60: header size counted from offset 60 (4) = 276
//   64: song length (2)  66: restart position (2)  68: channels (2)  70: patterns (2)
//   72: instruments (2)  74: flags (2, bit 0 = linear frequency table)
//   76: default speed, ticks per row (2)  78: default BPM (2)  80: order table (256)
// Each pattern
//   header length (4) = 9, packing type (1) = 0, rows (2), packed data size (2), data:
//   for every row, every channel one cell, either five raw bytes (note, instrument, volume,
//   effect, parameter) or a byte 0x80 | present-field bits (1 note, 2 instrument, 4 volume,
//   8 effect, 16 parameter) followed by the present fields.
// Each instrument
//   header size (4) = 263, name (22), type (1) = 0, sample count (2), sample header size (4) = 40,
//   note-to-sample map (96), volume envelope 12 x (tick, value) (48), panning envelope (48),
//   volume points (1), panning points (1), volume sustain (1), volume loop start/end (2),
//   panning sustain, loop start/end (3), volume type (1: bit 0 on, bit 1 sustain, bit 2 loop),
//   panning type (1), vibrato type, sweep, depth, rate (4), fadeout (2), reserved (22);
//   then the sample headers: length, loop start, loop length in bytes (3 x 4), volume (1),
//   finetune (1, signed), type (1: bits 0-1 loop kind, bit 4 16-bit), panning (1),
//   relative note (1, signed), reserved (1), name (22); then each sample's data, 16-bit
//   values stored as differences from the previous value.
#include "music/XmModule.h"

#include <cmath>
#include <stdexcept>

namespace Music::Xm {

namespace {

class ByteWriter {
  public:
    std::vector<uint8_t> bytes;
    void u8(unsigned v) { bytes.push_back(uint8_t(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void text(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i)
            u8(i < s.size() ? uint8_t(s[i]) : 0);
    }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
};

void check(bool ok, const char* what) {
    if (!ok) throw std::invalid_argument(std::string("writing an XM module: ") + what);
}

void writePattern(ByteWriter& out, const Pattern& pattern, int channels) {
    check(pattern.rows >= 1 && pattern.rows <= 256, "a pattern needs 1 to 256 rows");
    check(pattern.channels == channels, "a pattern's channel count differs from the module's");
    ByteWriter data;
    for (const Cell& c : pattern.cells) {
        check(c.note <= kKeyOff, "a cell holds an invalid note");
        unsigned present = (c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) |
                           (c.effect ? 8 : 0) | (c.param ? 16 : 0);
        if (present == 31) {
            data.u8(c.note);
            data.u8(c.instrument);
            data.u8(c.volume);
            data.u8(c.effect);
            data.u8(c.param);
            continue;
        }
        data.u8(0x80 | present);
        if (present & 1) data.u8(c.note);
        if (present & 2) data.u8(c.instrument);
        if (present & 4) data.u8(c.volume);
        if (present & 8) data.u8(c.effect);
        if (present & 16) data.u8(c.param);
    }
    check(data.bytes.size() <= 0xFFFF, "a pattern's packed data exceeds 65535 bytes");
    out.u32(9);
    out.u8(0);
    out.u16(unsigned(pattern.rows));
    out.u16(unsigned(data.bytes.size()));
    out.bytes.insert(out.bytes.end(), data.bytes.begin(), data.bytes.end());
}

void writeInstrument(ByteWriter& out, const Instrument& instrument) {
    const Sample& s = instrument.sample;
    check(instrument.volumeEnvelope.size() <= 12, "an envelope holds at most 12 points");
    check(s.volume <= 64, "a sample volume runs from 0 to 64");
    check(!s.loop || (s.loopLength > 0 && s.loopStart + s.loopLength <= s.data.size()),
          "a sample loop must lie inside the sample");
    out.u32(263);
    out.text(instrument.name, 22);
    out.u8(0);
    out.u16(1);
    out.u32(40);
    out.zeros(96);
    for (size_t i = 0; i < 12; ++i) {
        EnvelopePoint p =
            i < instrument.volumeEnvelope.size() ? instrument.volumeEnvelope[i] : EnvelopePoint{0, 0};
        out.u16(p.tick);
        out.u16(p.value);
    }
    out.zeros(48);
    bool envelope = !instrument.volumeEnvelope.empty();
    out.u8(unsigned(instrument.volumeEnvelope.size()));
    out.u8(0);
    out.u8(instrument.sustainPoint >= 0 ? unsigned(instrument.sustainPoint) : 0);
    out.zeros(2);
    out.zeros(3);
    out.u8((envelope ? 1 : 0) | (envelope && instrument.sustainPoint >= 0 ? 2 : 0));
    out.u8(0);
    out.zeros(4);
    out.u16(instrument.fadeout);
    out.zeros(22);

    out.u32(uint32_t(s.data.size() * 2));
    out.u32(s.loop ? s.loopStart * 2 : 0);
    out.u32(s.loop ? s.loopLength * 2 : 0);
    out.u8(s.volume);
    out.u8(uint8_t(s.finetune));
    out.u8((s.loop ? 1 : 0) | 0x10);
    out.u8(s.panning);
    out.u8(uint8_t(s.relativeNote));
    out.u8(0);
    out.text(instrument.name, 22);
    int16_t previous = 0;
    for (int16_t v : s.data) {
        out.u16(uint16_t(uint16_t(v) - uint16_t(previous)));
        previous = v;
    }
}

} // namespace

void tune(Sample& sample, double sampleRate, double sampleHz, double hzAtC4) {
    // Linear table: C-4 with relative note 0 and finetune 0 plays at 8363 Hz; the relative note
    // shifts by semitones, the finetune by 1/128 semitone, of which players honour only every
    // eighth step (FastTracker 2 keeps 16 finetune levels), so round to 1/16 semitone.
    double semitones = 12.0 * std::log2(sampleRate * hzAtC4 / (sampleHz * 8363.0));
    long steps = std::lround(semitones * 16.0);
    long note = steps >= 0 ? steps / 16 : -((-steps + 15) / 16);
    sample.relativeNote = int8_t(note);
    sample.finetune = int8_t((steps - note * 16) * 8);
}

std::vector<uint8_t> write(const Module& module) {
    check(module.channels >= 1 && module.channels <= 32, "a module has 1 to 32 channels");
    check(!module.order.empty() && module.order.size() <= 256, "the order list holds 1 to 256 entries");
    check(module.patterns.size() <= 256, "a module holds at most 256 patterns");
    check(module.instruments.size() <= 128, "a module holds at most 128 instruments");
    check(module.speed >= 1 && module.speed <= 31 && module.bpm >= 32 && module.bpm <= 255,
          "speed runs from 1 to 31 and BPM from 32 to 255");
    for (uint8_t p : module.order)
        check(p < module.patterns.size(), "the order list names a missing pattern");

    ByteWriter out;
    out.text("Extended Module: ", 17);
    out.text(module.name, 20);
    out.u8(0x1A);
    out.text("Triptych datagen", 20);
    out.u16(0x0104);
    out.u32(276);
    out.u16(unsigned(module.order.size()));
    out.u16(0);
    out.u16(unsigned(module.channels));
    out.u16(unsigned(module.patterns.size()));
    out.u16(unsigned(module.instruments.size()));
    out.u16(1);
    out.u16(unsigned(module.speed));
    out.u16(unsigned(module.bpm));
    for (size_t i = 0; i < 256; ++i)
        out.u8(i < module.order.size() ? module.order[i] : 0);
    for (const Pattern& p : module.patterns)
        writePattern(out, p, module.channels);
    for (const Instrument& i : module.instruments)
        writeInstrument(out, i);
    return out.bytes;
}

} // namespace Music::Xm
