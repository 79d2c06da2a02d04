// The composed music as the show will play it: the streams decoded by libmpg123, the module
// played by libopenmpt; their lengths, formats, levels, and the moments the pictures need.
#include "music/Music.h"
#include "music/Loudness.h"
#include "music/ModuleInstruments.h"
#include "music/ModuleRender.h"
#include "music/Mp3Encoder.h"
#include "music/PieceOneModule.h"
#include "pieces/one/BeatTables.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>
#include <libopenmpt/libopenmpt_ext.hpp>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

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
    EXPECT_NE(mh, nullptr);
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_FORCE_FLOAT | MPG123_QUIET, 0.0);
    EXPECT_EQ(mpg123_open_feed(mh), MPG123_OK);
    EXPECT_EQ(mpg123_feed(mh, bytes.data(), bytes.size()), MPG123_OK);
    std::vector<float> block(8192);
    for (;;) {
        size_t done = 0;
        int ret = mpg123_read(mh, block.data(), block.size() * sizeof(float), &done);
        if (ret == MPG123_NEW_FORMAT) {
            int encoding = 0;
            mpg123_getformat(mh, &out.rate, &out.channels, &encoding);
            continue;
        }
        for (size_t i = 0; out.channels == 2 && i + 1 < done / sizeof(float); i += 2) {
            out.audio.left.push_back(block[i]);
            out.audio.right.push_back(block[i + 1]);
        }
        if (ret != MPG123_OK) break;
    }
    mpg123_delete(mh);
    return out;
}

// RMS level in dBFS of both channels over [fromMs, toMs).
double levelDb(const StereoBuffer& a, double fromMs, double toMs) {
    long from = std::max(0L, framesAt(fromMs)), to = std::min(long(a.frames()), framesAt(toMs));
    double sum = 0.0;
    for (long i = from; i < to; ++i)
        sum +=
            double(a.left[size_t(i)]) * a.left[size_t(i)] + double(a.right[size_t(i)]) * a.right[size_t(i)];
    return to > from && sum > 0.0 ? 10.0 * std::log10(sum / double(2 * (to - from))) : -200.0;
}

// Longest stretch in ms of 100 ms windows below -60 dBFS, counting windows before `untilMs`.
double longestSilenceMs(const StereoBuffer& a, double untilMs) {
    double longest = 0.0, run = 0.0;
    for (double t = 0.0; t + 100.0 <= std::min(untilMs, 1000.0 * double(a.frames()) / kSampleRate);
         t += 100.0) {
        run = levelDb(a, t, t + 100.0) < -60.0 ? run + 100.0 : 0.0;
        longest = std::max(longest, run);
    }
    return longest;
}

// Decodes a composed stream and checks what every stream of the show must hold.
Decoded checkedStream(const std::string& name, double minSeconds, double silenceAllowedFromMs) {
    Entry entry = compose(name);
    EXPECT_EQ(entry.archiveName, name);
    Decoded d = decodeMp3(entry.bytes);
    EXPECT_EQ(d.rate, 44100) << name;
    EXPECT_EQ(d.channels, 2) << name;
    EXPECT_GE(d.seconds(), minSeconds) << name;
    EXPECT_LE(d.seconds(), minSeconds + 3.0) << name;
    EXPECT_LE(Loudness::peakDb(d.audio), -1.0) << name;
    double loudness = Loudness::integrated(d.audio);
    EXPECT_GE(loudness, -20.0) << name;
    EXPECT_LE(loudness, -10.0) << name;
    EXPECT_LE(longestSilenceMs(d.audio, silenceAllowedFromMs), 2000.0) << name;
    return d;
}

} // namespace

TEST(MusicStreams, OpeningHitsWhenTheClipSlidesIn) {
    Decoded d = checkedStream("data/videoclip1.mpg", 4.3, 1e9);
    EXPECT_GT(levelDb(d.audio, 3700.0, 3800.0), levelDb(d.audio, 3550.0, 3690.0) + 4.0);
}

TEST(MusicStreams, ClosingBurstsInEveryGlitchWindow) {
    Decoded d = checkedStream("data/broken.end", 15.5, 1e9);
    for (int i = 0; i + 1 < BeatTables::glitchTableCount; i += 2) {
        double start = BeatTables::glitchTable[i], end = std::min(BeatTables::glitchTable[i + 1], 14000);
        SCOPED_TRACE(start);
        EXPECT_GT(levelDb(d.audio, start, end), levelDb(d.audio, start - 150.0, start - 20.0) + 3.0);
    }
}

TEST(MusicStreams, MontageFollowsPieceTwosTimeline) {
    Decoded d = checkedStream("data/col4.mp3", 150.0, 140000.0);
    const double stabs[] = {764, 3017, 4022, 4489, 5290};
    for (double at : stabs)
        EXPECT_GT(levelDb(d.audio, at, at + 80.0), levelDb(d.audio, at - 300.0, at - 50.0) + 4.0) << at;
    double groove =
        Loudness::integrated(d.audio.left.data() + framesAt(40000), d.audio.right.data() + framesAt(40000),
                             size_t(framesAt(26000)), kSampleRate);
    double louder =
        Loudness::integrated(d.audio.left.data() + framesAt(66200), d.audio.right.data() + framesAt(66200),
                             size_t(framesAt(25900)), kSampleRate);
    EXPECT_GT(louder, groove + 1.0);
    // The break: the groove stops dead before the first flash of the break.
    EXPECT_LT(levelDb(d.audio, 92230.0, 92280.0), levelDb(d.audio, 91000.0, 92190.0) - 15.0);
    EXPECT_GT(levelDb(d.audio, 92900.0, 93900.0), levelDb(d.audio, 92230.0, 92280.0) + 15.0);
    EXPECT_LT(levelDb(d.audio, 140000.0, 150000.0), -60.0);
}

TEST(MusicStreams, DriftChangesWithTheNoiseFloor) {
    Decoded d = checkedStream("data/videoclip2.mpg", 106.0, 1e9);
    // Each change of the noise floor sounds (but for the second of two changes closer than
    // 250 ms, which rings into the first one's sound, and 56888, where the music falls still).
    for (double at :
         {6888, 24000, 24346, 32931, 33488, 33854, 35038, 48030, 51455, 51966, 53487, 55298, 59042, 59998})
        EXPECT_GT(levelDb(d.audio, at, at + 60.0), levelDb(d.audio, at - 200.0, at - 20.0) + 3.0) << at;
    // The still section before the finale is the quietest part after the beat came in.
    EXPECT_LT(levelDb(d.audio, 57400.0, 58900.0), levelDb(d.audio, 36000.0, 48000.0) - 3.0);
    EXPECT_LT(levelDb(d.audio, 57400.0, 58900.0), levelDb(d.audio, 56300.0, 56850.0) - 3.0);
    EXPECT_GT(levelDb(d.audio, 100000.0, 104000.0), levelDb(d.audio, 61000.0, 65000.0));
}

TEST(MusicModule, PlaysThirtySixBarsOfTwoHundredMillisecondRows) {
    Entry entry = compose("data/broken");
    openmpt::module module(entry.bytes);
    EXPECT_EQ(module.get_num_channels(), PieceOneModule::kChannels);
    EXPECT_GE(module.get_duration_seconds(), 115.2);
    int rows = 0;
    for (int o = 0; o < module.get_num_orders(); ++o)
        rows += module.get_pattern_num_rows(module.get_order_pattern(o));
    EXPECT_EQ(rows, 36 * 16 + 1); // and the row that releases the last notes
    EXPECT_EQ(module.get_current_speed(), PieceOneModule::kTicksPerRow);
    EXPECT_NEAR(module.get_current_tempo(), PieceOneModule::kBpm, 1e-9);

    // Played, it lasts the 36 bars and the release row: the tick is a whole number of
    // samples, so the rows do not drift (the kick test below checks the beats themselves).
    StereoBuffer played = renderModule(entry.bytes);
    EXPECT_GE(played.frames(), size_t(115.2 * kSampleRate));
    EXPECT_LE(played.frames(), size_t(115.6 * kSampleRate));
    EXPECT_LE(Loudness::peakDb(played), -1.0);
    EXPECT_GE(Loudness::integrated(played), -20.0);
    EXPECT_LE(Loudness::integrated(played), -10.0);
    EXPECT_LE(longestSilenceMs(played, 115000.0), 2000.0);
}

TEST(MusicModule, EveryBeatOfPieceOneLandsOnAHit) {
    Entry entry = compose("data/broken");
    openmpt::module module(entry.bytes);
    // Hit times in ms per instrument, read back from the module's pattern cells.
    std::vector<std::multiset<double>> hits(ModuleInstruments::Count + 1);
    int songRow = 0;
    for (int o = 0; o < module.get_num_orders(); ++o) {
        int pattern = module.get_order_pattern(o);
        for (int r = 0; r < module.get_pattern_num_rows(pattern); ++r, ++songRow)
            for (int c = 0; c < module.get_num_channels(); ++c) {
                int note =
                    module.get_pattern_row_channel_command(pattern, r, c, openmpt::module::command_note);
                int instrument = module.get_pattern_row_channel_command(pattern, r, c,
                                                                        openmpt::module::command_instrument);
                int param =
                    module.get_pattern_row_channel_command(pattern, r, c, openmpt::module::command_parameter);
                std::string effect =
                    module.format_pattern_row_channel_command(pattern, r, c, openmpt::module::command_effect);
                if (note == 0 || instrument <= 0 || instrument > ModuleInstruments::Count) continue;
                int delay = effect == "E" && (param >> 4) == 0xD ? param & 0xF : 0;
                hits[size_t(instrument)].insert(songRow * 200.0 + delay * PieceOneModule::kTickMs);
            }
    }
    struct Case {
        const char* name;
        const int32_t* table;
        std::vector<int> instruments;
    };
    using namespace ModuleInstruments;
    const Case cases[] = {{"blockEvents", BeatTables::blockEvents, {Kick}},
                          {"barEvents", BeatTables::barEvents, {Snare, Shaker}},
                          {"streakEvents", BeatTables::streakEvents, {Hat}},
                          {"flickerLevel", BeatTables::flickerLevel, {Glitch, Crackle}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int32_t* t = c.table; *t >= 0; ++t) {
            double nearest = 1e9;
            for (int instrument : c.instruments) {
                const auto& set = hits[size_t(instrument)];
                auto it = set.lower_bound(*t);
                if (it != set.end()) nearest = std::min(nearest, *it - *t);
                if (it != set.begin()) nearest = std::min(nearest, *t - *std::prev(it));
            }
            // Half a tick of rounding, and a millisecond for the second event of a pair.
            EXPECT_LE(nearest, PieceOneModule::kTickMs / 2 + 1.0) << "no hit near " << *t << " ms";
        }
    }
}

TEST(MusicModule, TheKickSoundsOnEveryBlockBeat) {
    // Played with every channel but the kick's muted, the kick's onsets are the block beats:
    // the player honours the note delays as the pattern cells say.
    Entry entry = compose("data/broken");
    openmpt::module_ext module(entry.bytes);
    auto* interactive =
        static_cast<openmpt::ext::interactive*>(module.get_interface(openmpt::ext::interactive_id));
    ASSERT_NE(interactive, nullptr);
    for (int c = 1; c < module.get_num_channels(); ++c)
        interactive->set_channel_mute_status(c, true);
    std::vector<float> left(size_t(116 * kSampleRate)), right(left.size());
    size_t frames = module.read(kSampleRate, left.size(), left.data(), right.data());

    // Peaks of 2.5 ms windows; an onset is a window far above the 20 ms before it.
    const size_t window = 110;
    std::vector<float> peak(frames / window, 0.0f);
    for (size_t i = 0; i < peak.size() * window; ++i)
        peak[i / window] = std::max(peak[i / window], std::fabs(left[i]));
    std::vector<double> onsets;
    for (size_t w = 8; w < peak.size(); ++w) {
        float before = *std::max_element(peak.begin() + long(w) - 8, peak.begin() + long(w));
        double ms = double(w * window) * 1000.0 / kSampleRate;
        if (peak[w] > 0.02f && peak[w] > 1.6f * before && (onsets.empty() || ms - onsets.back() > 50.0))
            onsets.push_back(ms);
    }
    size_t beats = 0;
    for (const int32_t* t = BeatTables::blockEvents; *t >= 0; ++t, ++beats) {
        auto it = std::lower_bound(onsets.begin(), onsets.end(), *t - 10.0);
        EXPECT_TRUE(it != onsets.end() && *it <= *t + 10.0) << "no kick near " << *t << " ms";
    }
    EXPECT_EQ(onsets.size(), beats);
}

TEST(Music, SameBytesOnEveryRun) {
    for (const char* name : {"data/videoclip1.mpg", "data/broken.end", "data/broken"}) {
        Entry first = compose(name), second = compose(name);
        EXPECT_EQ(first.bytes, second.bytes) << name;
    }
    EXPECT_THROW(compose("data/unknown.mp3"), std::invalid_argument);
}

TEST(MusicMp3, InfoFrameGivesTheExactLengthAndEmptyAudioStillEncodes) {
    // The Info frame tells the decoder the encoder's delay and padding, so the decoded stream
    // has exactly the frames that went in.
    StereoBuffer tone(size_t(kSampleRate) + 123);
    for (size_t i = 0; i < tone.frames(); ++i)
        tone.left[i] = tone.right[i] = 0.3f * float(std::sin(0.05 * double(i)));
    Decoded d = decodeMp3(encodeMp3(tone, 160, "tone"));
    EXPECT_EQ(d.audio.frames(), tone.frames());
    EXPECT_NEAR(levelDb(d.audio, 100.0, 900.0), levelDb(tone, 100.0, 900.0), 0.6);

    Decoded empty = decodeMp3(encodeMp3(StereoBuffer(), 160, "empty"));
    EXPECT_LT(empty.audio.frames(), size_t(kSampleRate / 10));
}

TEST(Music, TheDefaultArchiveHoldsTheSameMusic) {
    // The suite's working directory holds the archive that datagen wrote in its own process:
    // its music must be byte for byte what composing gives here.
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no data.data in the working directory";
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), FileArchive::Ok);
    for (const char* name : {"data/videoclip1.mpg", "data/broken", "data/broken.end"}) {
        std::vector<uint8_t> composed = compose(name).bytes;
        int32_t size = archive.getFileSize(name);
        ASSERT_EQ(size, int32_t(composed.size())) << name;
        uint8_t* stored = archive.getFile(name);
        ASSERT_NE(stored, nullptr) << name;
        EXPECT_TRUE(std::equal(composed.begin(), composed.end(), stored)) << name;
        delete[] stored;
    }
    for (const char* name : {"data/col4.mp3", "data/videoclip2.mpg"})
        EXPECT_GT(archive.getFileSize(name), 0) << name;
}
