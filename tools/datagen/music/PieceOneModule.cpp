// Arrangement of piece one's module: A minor, Am - F - Dm - E, a bar per chord. Bars 0-3 pad,
// bell and long bass notes; from bar 4 the kick (the block beats) and a bass line on it; from
// bar 12 snare, shaker and hats (the bar and streak beats); from bar 19 the glitches (the
// flicker beats); the lead from bar 20; a riser into the swell on bar 31; the lead an octave
// up over the last four bars.
#include "music/PieceOneModule.h"

#include "music/Loudness.h"
#include "music/ModuleInstruments.h"
#include "music/ModuleRender.h"
#include "pieces/one/BeatTables.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Music::PieceOneModule {

namespace {

using namespace ModuleInstruments;

// The bars, and one row more in which every held note is released, so the music ends cleanly
// and players that estimate its length from their own tick arithmetic still count the full bars.
constexpr int kRows = kBars * kRowsPerBar + 1;
constexpr int kPatternRows = 64;

// Channel roles.
constexpr int kKickChannel = 0;
constexpr int kBarChannels[2] = {1, 2};
constexpr int kHatChannels[2] = {3, 4};
constexpr int kGlitchChannels[3] = {5, 6, 7};
constexpr int kBassChannel = 8;
constexpr int kPadChannels[3] = {9, 10, 11};
constexpr int kLeadChannel = 12;
constexpr int kBellChannel = 13;
constexpr int kFxChannel = 14;

struct Chord {
    int bass;
    int pad[3];
    int tones[4]; // arpeggio tones
};
const Chord kChords[4] = {
    {45, {57, 60, 64}, {69, 72, 76, 81}}, // A minor
    {41, {57, 60, 65}, {65, 69, 72, 77}}, // F major
    {38, {57, 62, 65}, {62, 65, 69, 74}}, // D minor
    {40, {56, 59, 64}, {64, 68, 71, 76}}, // E major
};

struct Note {
    int row, midi, length;
};
// Four bars of melody over the four chords, rows counted from the phrase start.
const Note kMelody[] = {
    {0, 76, 3},  {3, 72, 3},  {6, 69, 2},  {8, 71, 2},  {10, 72, 4}, {14, 74, 2}, {16, 72, 3}, {19, 69, 3},
    {22, 65, 2}, {24, 69, 2}, {26, 72, 4}, {30, 76, 2}, {32, 77, 4}, {36, 76, 2}, {38, 74, 2}, {40, 69, 4},
    {44, 74, 2}, {46, 77, 2}, {48, 76, 6}, {54, 74, 2}, {56, 71, 2}, {58, 68, 4}, {62, 71, 2},
};

uint8_t volume(int v) {
    return uint8_t(0x10 + std::clamp(v, 0, 64));
}

class Song {
  public:
    Song() : cells(size_t(kRows * kChannels)) {}
    Xm::Cell& at(int row, int channel) { return cells[size_t(row * kChannels + channel)]; }

    void note(int row, int channel, int instrument, uint8_t note, int vol, int delay = 0) {
        if (row < 0 || row >= kRows) return;
        Xm::Cell& c = at(row, channel);
        c = {note, uint8_t(instrument), volume(vol), 0, 0};
        if (delay > 0) {
            c.effect = Xm::kEffectExtended;
            c.param = uint8_t(Xm::kNoteDelay | delay);
        }
    }
    // A held note, released `length` rows later unless another note comes first.
    void held(int row, int channel, int instrument, int midi, int length, int vol) {
        note(row, channel, instrument, noteFor(midi), vol);
        int off = row + length;
        if (off < kRows && at(off, channel).note == 0) at(off, channel).note = Xm::kKeyOff;
    }
    // A drum hit at a tick of the whole song, on the first channel of `pool` free on its row.
    void hit(long tick, const int* pool, int poolSize, int instrument, int vol) {
        int row = std::min(int(tick / kTicksPerRow), kRows - 1), delay = int(tick % kTicksPerRow);
        for (int i = 0; i < poolSize; ++i)
            if (at(row, pool[i]).note == 0) {
                note(row, pool[i], instrument, Xm::kNoteC4, vol, delay);
                return;
            }
        throw std::logic_error("piece one module: more beats on row " + std::to_string(row) +
                               " than drum channels");
    }

    std::vector<Xm::Pattern> patterns() const {
        std::vector<Xm::Pattern> out;
        for (int start = 0; start < kRows; start += out.back().rows) {
            // The last pattern takes the release row too.
            int rows = kRows - start <= kPatternRows + 1 ? kRows - start : kPatternRows;
            Xm::Pattern p(rows, kChannels);
            for (int r = 0; r < p.rows; ++r)
                for (int c = 0; c < kChannels; ++c)
                    p.at(r, c) = cells[size_t((start + r) * kChannels + c)];
            out.push_back(std::move(p));
        }
        return out;
    }

  private:
    std::vector<Xm::Cell> cells;
};

struct Beat {
    long tick;
    int events;
};

// A table's times as distinct song ticks, each with how many events it gathers. Events
// a millisecond or two apart (the tables' pairs) are one beat, placed by its first time.
std::vector<Beat> beatsOf(const int32_t* table) {
    std::vector<int32_t> times;
    for (const int32_t* t = table; *t >= 0; ++t)
        times.push_back(*t);
    std::sort(times.begin(), times.end());
    std::vector<Beat> beats;
    int32_t groupStart = -100;
    for (int32_t t : times) {
        if (t - groupStart <= 2) {
            ++beats.back().events;
            continue;
        }
        groupStart = t;
        // The note delay reaches every tick of a row, so the nearest tick it is.
        long tick = std::lround(t / kTickMs);
        if (!beats.empty() && beats.back().tick == tick)
            ++beats.back().events;
        else
            beats.push_back({tick, 1});
    }
    return beats;
}

int rowInBar(long tick) {
    return int(tick / kTicksPerRow) % kRowsPerBar;
}

void writeDrums(Song& song) {
    for (const Beat& b : beatsOf(BeatTables::blockEvents)) {
        int r = rowInBar(b.tick);
        song.hit(b.tick, &kKickChannel, 1, Kick, r == 0 || r == 8 ? 64 : 54);
    }
    for (const Beat& b : beatsOf(BeatTables::barEvents)) {
        int r = rowInBar(b.tick);
        bool backbeat = r == 4 || r == 12;
        song.hit(b.tick, kBarChannels, 2, backbeat ? Snare : Shaker, backbeat ? 64 : (r % 4 == 0 ? 56 : 40));
    }
    for (const Beat& b : beatsOf(BeatTables::streakEvents)) {
        int r = rowInBar(b.tick);
        song.hit(b.tick, kHatChannels, 2, Hat, r % 2 == 0 ? 60 : 42);
    }
    int flicker = 0;
    for (const Beat& b : beatsOf(BeatTables::flickerLevel)) {
        int r = rowInBar(b.tick);
        song.hit(b.tick, kGlitchChannels, 3, flicker++ % 2 ? Crackle : Glitch, r % 4 == 0 ? 64 : 46);
    }
}

void writeHarmony(Song& song) {
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar % 4];
        int row0 = bar * kRowsPerBar;
        for (int v = 0; v < 3; ++v)
            song.note(row0, kPadChannels[v], Pad, noteFor(chord.pad[v]), bar < 4 ? 40 : 52);
        // Bass: long notes in the intro, then a line on the kick's rows.
        if (bar < 4) {
            song.held(row0, kBassChannel, Bass, chord.bass, 14, 50);
        } else {
            const int rows[6] = {0, 3, 7, 8, 11, 14};
            for (int r : rows) {
                int midi = r == 7 ? chord.bass + 12 : (r == 14 ? chord.bass + 7 : chord.bass);
                song.held(row0 + r, kBassChannel, Bass, midi, 2, r == 0 ? 64 : 54);
            }
        }
        // Bell arpeggio in eighths: through the intro and the middle, quieter under the lead.
        if (bar < 20 || (bar >= 28 && bar < 31)) {
            const int pattern[8] = {0, 1, 2, 3, 2, 1, 0, 2};
            for (int e = 0; e < 8; ++e)
                song.note(row0 + 2 * e, kBellChannel, Bell, noteFor(chord.tones[pattern[e]]),
                          bar < 20 ? 44 : 30);
        }
    }
}

void writeMelody(Song& song) {
    for (int phrase = 20; phrase < kBars; phrase += 4) {
        if (phrase == 28) continue; // the arpeggio takes the bars before the swell
        int transpose = phrase >= 32 ? 12 : 0;
        for (const Note& n : kMelody)
            song.held(phrase * kRowsPerBar + n.row, kLeadChannel, Lead, n.midi + transpose, n.length, 52);
    }
    song.note(30 * kRowsPerBar, kFxChannel, Riser, Xm::kNoteC4, 64);
    song.note(31 * kRowsPerBar, kFxChannel, Crash, Xm::kNoteC4, 64);
    song.note(12 * kRowsPerBar, kFxChannel, Crash, Xm::kNoteC4, 48);
    song.note(20 * kRowsPerBar, kFxChannel, Crash, Xm::kNoteC4, 52);
    song.note(32 * kRowsPerBar, kFxChannel, Crash, Xm::kNoteC4, 56);
    for (int channel : {kBassChannel, kPadChannels[0], kPadChannels[1], kPadChannels[2], kLeadChannel})
        song.at(kRows - 1, channel).note = Xm::kKeyOff;
}

} // namespace

Xm::Module compose(float gain) {
    Song song;
    writeDrums(song);
    writeHarmony(song);
    writeMelody(song);
    Xm::Module module;
    module.name = "broken";
    module.channels = kChannels;
    module.speed = kTicksPerRow;
    module.bpm = kBpm;
    module.patterns = song.patterns();
    for (size_t i = 0; i < module.patterns.size(); ++i)
        module.order.push_back(uint8_t(i));
    module.instruments = ModuleInstruments::build(gain);
    return module;
}

std::vector<uint8_t> composeLevelled() {
    // Mixing is linear in the sample values, so one trial playback tells the gain that puts
    // the loudness at the target, unless the peaks would then pass their ceiling.
    const double targetLufs = -15.0, ceilingDb = -1.5;
    std::vector<uint8_t> trial = Xm::write(compose(1.0f));
    StereoBuffer played = renderModule(trial);
    double loudness = Loudness::integrated(played), peak = Loudness::peakDb(played);
    double gainDb = std::min({targetLufs - loudness, ceilingDb - peak, 0.0});
    if (gainDb >= -0.05) return trial;
    return Xm::write(compose(float(std::pow(10.0, gainDb / 20.0))));
}

} // namespace Music::PieceOneModule
