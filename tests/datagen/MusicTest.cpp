// The composed music as the show will play it: the streams decoded by libmpg123, the module
// played by libopenmpt; their lengths, formats, levels, the moments the pictures need, and the
// archive holding the same bytes.
#include "music/Music.h"
#include "music/Loudness.h"
#include "music/ModuleInstruments.h"
#include "music/ModuleRender.h"
#include "music/PieceOneModule.h"
#include "pieces/one/BeatTables.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

using namespace Music;

namespace {

struct Decoded {
    long rate = 0;
    int channels = 0;
    StereoBuffer audio;
    double seconds() const { return double(audio.frames()) / double(rate); }
};

Decoded decodeMp3(const std::vector<uint8_t>& bytes) {
    Decoded out;
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_FORCE_FLOAT | MPG123_QUIET, 0.0);
    mpg123_open_feed(mh);
    mpg123_feed(mh, bytes.data(), bytes.size());
    std::vector<float> block(8192);
    int encoding = 0;
    for (int ret = MPG123_OK; ret == MPG123_OK || ret == MPG123_NEW_FORMAT;) {
        size_t done = 0;
        ret = mpg123_read(mh, block.data(), block.size() * sizeof(float), &done);
        if (ret == MPG123_NEW_FORMAT) mpg123_getformat(mh, &out.rate, &out.channels, &encoding);
        for (size_t i = 0; out.channels == 2 && i + 1 < done / sizeof(float); i += 2) {
            out.audio.left.push_back(block[i]);
            out.audio.right.push_back(block[i + 1]);
        }
    }
    mpg123_delete(mh);
    return out;
}

// RMS level in dBFS of both channels over [fromMs, toMs).
double levelDb(const StereoBuffer& a, double fromMs, double toMs) {
    long from = std::max(0L, framesAt(fromMs)), to = std::min(long(a.frames()), framesAt(toMs));
    double sum = 0.0;
    for (long i = from; i < to; ++i)
        sum += double(a.left[size_t(i)]) * a.left[size_t(i)] + double(a.right[size_t(i)]) * a.right[size_t(i)];
    return to > from && sum > 0.0 ? 10.0 * std::log10(sum / double(2 * (to - from))) : -200.0;
}

// Longest stretch in ms of 100 ms windows below -60 dBFS, counting windows before `untilMs`.
double longestSilenceMs(const StereoBuffer& a, double untilMs) {
    double longest = 0.0, run = 0.0;
    for (double t = 0.0; t + 100.0 <= std::min(untilMs, 1000.0 * double(a.frames()) / kSampleRate); t += 100.0) {
        run = levelDb(a, t, t + 100.0) < -60.0 ? run + 100.0 : 0.0;
        longest = std::max(longest, run);
    }
    return longest;
}

// Peaks at most -1 dBFS, loudness -20 to -10 LUFS, no silence over 2 s before `silenceAllowedFromMs`.
void checkLevels(const StereoBuffer& audio, const std::string& name, double silenceAllowedFromMs) {
    EXPECT_LE(Loudness::peakDb(audio), -1.0) << name;
    double loudness = Loudness::integrated(audio);
    EXPECT_TRUE(loudness >= -20.0 && loudness <= -10.0) << name << ": " << loudness << " LUFS";
    EXPECT_LE(longestSilenceMs(audio, silenceAllowedFromMs), 2000.0) << name;
}

// Composes the entry and checks that data.data, which datagen wrote in its own process, holds the
// same bytes: the same on every run.
std::vector<uint8_t> composed(const std::string& name) {
    static FileArchive archive;
    static const bool opened = archive.readDirectory("data.data") == FileArchive::Ok;
    std::vector<uint8_t> bytes = compose(name).bytes;
    std::unique_ptr<uint8_t[]> stored(opened ? archive.getFile(name.c_str()) : nullptr);
    EXPECT_TRUE(stored && archive.getFileSize(name.c_str()) == int32_t(bytes.size()) &&
                std::equal(bytes.begin(), bytes.end(), stored.get()))
        << name << " differs from data.data in the build folder";
    return bytes;
}

// Decodes a composed stream and checks what every stream of the show must hold.
Decoded checkedStream(const std::string& name, double minSeconds, double silenceAllowedFromMs) {
    Decoded d = decodeMp3(composed(name));
    EXPECT_EQ(d.rate, 44100) << name; // (one channel would decode to nothing)
    EXPECT_TRUE(d.seconds() >= minSeconds && d.seconds() <= minSeconds + 3.0) << name << ": " << d.seconds() << " s";
    checkLevels(d.audio, name, silenceAllowedFromMs);
    return d;
}

} // namespace

TEST(MusicStreams, HoldTheirFormatLevelsAndTheMomentsThePicturesNeed) {
    // A rise in level at `at`: the window from `at` above the stretch just before it.
    auto hit = [](const Decoded& d, double at, double length, double before, double dB) {
        EXPECT_GT(levelDb(d.audio, at, at + length), levelDb(d.audio, at - before, at - 20.0) + dB) << at << " ms";
    };
    // The opening hits when piece one's clip slides in.
    hit(checkedStream("data/videoclip1.mpg", 4.3, 1e9), 3700.0, 100.0, 150.0, 4.0);

    // The closing bursts in every glitch window.
    Decoded closing = checkedStream("data/broken.end", 15.5, 1e9);
    for (int i = 0; i + 1 < BeatTables::glitchTableCount; i += 2) {
        double start = BeatTables::glitchTable[i], end = std::min(BeatTables::glitchTable[i + 1], 14000);
        hit(closing, start, end - start, 150.0, 3.0);
    }

    // The montage follows piece two's timeline: stabs, a dead stop before the break, silence at the end.
    Decoded montage = checkedStream("data/col4.mp3", 150.0, 140000.0);
    for (double at : {764, 3017, 4022, 4489, 5290}) hit(montage, at, 80.0, 300.0, 4.0);
    EXPECT_LT(levelDb(montage.audio, 92230.0, 92280.0), levelDb(montage.audio, 91000.0, 92190.0) - 15.0);
    EXPECT_GT(levelDb(montage.audio, 92900.0, 93900.0), levelDb(montage.audio, 92230.0, 92280.0) + 15.0);
    EXPECT_LT(levelDb(montage.audio, 140000.0, 150000.0), -60.0);

    // The drift sounds each change of the noise floor (but for the second of two changes closer
    // than 250 ms, and 56888, where the music falls still), and the still section is quiet.
    Decoded drift = checkedStream("data/videoclip2.mpg", 106.0, 1e9);
    for (double at :
         {6888, 24000, 24346, 32931, 33488, 33854, 35038, 48030, 51455, 51966, 53487, 55298, 59042, 59998})
        hit(drift, at, 60.0, 200.0, 3.0);
    EXPECT_LT(levelDb(drift.audio, 57400.0, 58900.0), levelDb(drift.audio, 36000.0, 48000.0) - 3.0);
    EXPECT_LT(levelDb(drift.audio, 57400.0, 58900.0), levelDb(drift.audio, 56300.0, 56850.0) - 3.0);
}

TEST(MusicModule, PlaysThirtySixBarsAndEveryBeatOfPieceOneLandsOnAHit) {
    const std::vector<uint8_t> bytes = composed("data/broken");
    openmpt::module module(bytes);
    // Played, it lasts the 36 bars of 200 ms rows and the row that releases the last notes: the
    // tick is a whole number of samples, so the rows do not drift.
    StereoBuffer played = renderModule(bytes);
    EXPECT_GE(played.frames(), size_t(115.2 * kSampleRate));
    EXPECT_LE(played.frames(), size_t(115.6 * kSampleRate));
    checkLevels(played, "data/broken", 115000.0);

    // Hit times in ms per instrument, read back from the module's pattern cells.
    using M = openmpt::module;
    std::vector<std::vector<double>> hits(ModuleInstruments::Count + 1);
    int songRow = 0;
    for (int o = 0; o < module.get_num_orders(); ++o) {
        int pattern = module.get_order_pattern(o);
        for (int r = 0; r < module.get_pattern_num_rows(pattern); ++r, ++songRow)
            for (int c = 0; c < module.get_num_channels(); ++c) {
                int note = module.get_pattern_row_channel_command(pattern, r, c, M::command_note);
                int instrument = module.get_pattern_row_channel_command(pattern, r, c, M::command_instrument);
                int param = module.get_pattern_row_channel_command(pattern, r, c, M::command_parameter);
                std::string effect = module.format_pattern_row_channel_command(pattern, r, c, M::command_effect);
                if (note == 0 || instrument <= 0 || instrument > ModuleInstruments::Count) continue;
                int delay = effect == "E" && (param >> 4) == 0xD ? param & 0xF : 0;
                hits[size_t(instrument)].push_back(songRow * 200.0 + delay * PieceOneModule::kTickMs);
            }
    }
    using namespace ModuleInstruments;
    const std::tuple<const char*, const int32_t*, std::vector<int>> cases[] = {
        {"blockEvents", BeatTables::blockEvents, {Kick}},
        {"barEvents", BeatTables::barEvents, {Snare, Shaker}},
        {"streakEvents", BeatTables::streakEvents, {Hat}},
        {"flickerLevel", BeatTables::flickerLevel, {Glitch, Crackle}}};
    for (const auto& [name, table, instruments] : cases)
        for (const int32_t* t = table; *t >= 0; ++t) {
            // Half a tick of rounding, and a millisecond for the second event of a pair.
            auto near = [t = *t](double hit) { return std::abs(hit - t) <= PieceOneModule::kTickMs / 2 + 1.0; };
            EXPECT_TRUE(std::any_of(instruments.begin(), instruments.end(), [&](int instrument) {
                return std::any_of(hits[size_t(instrument)].begin(), hits[size_t(instrument)].end(), near);
            })) << name << ": no hit near " << *t << " ms";
        }
}

TEST(MusicLoudness, TheMeterReadsTheReferenceSineAndGatesSilenceOut) {
    // The levels above are only as good as the meter: a 1 kHz sine at -23 dBFS on both channels
    // is -23 LUFS, and silence before it does not lower the reading.
    StereoBuffer tone(size_t(10 * kSampleRate) * 2);
    const double amplitude = std::pow(10.0, -23.0 / 20.0);
    for (size_t i = tone.frames() / 2; i < tone.frames(); ++i)
        tone.left[i] = tone.right[i] = float(amplitude * std::sin(2000.0 * M_PI * double(i) / kSampleRate));
    EXPECT_NEAR(Loudness::integrated(tone), -23.0, 0.3);
    EXPECT_EQ(Loudness::integrated(StereoBuffer(size_t(3 * kSampleRate))), Loudness::kSilence);
}
