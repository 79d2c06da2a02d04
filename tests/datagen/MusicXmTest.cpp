// The Extended Module writer played by libopenmpt: tuning, looped and one-shot samples, and the
// modules it refuses to write. Structure and cells are read back from the composed module.
#include "music/AudioBuffer.h"
#include "music/ModuleRender.h"
#include "music/XmModule.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <stdexcept>

using namespace Music;

namespace {

// A sine of exactly `cycles` periods in `frames` frames, at 90 % of full scale.
Xm::Sample sineSample(int frames, int cycles, bool loop) {
    Xm::Sample s;
    for (int i = 0; i < frames; ++i)
        s.data.push_back(int16_t(std::lround(29490.0 * std::sin(6.283185307179586 * cycles * i / frames))));
    s.loop = loop;
    s.loopLength = loop ? uint32_t(frames) : 0;
    return s;
}

Xm::Module oneNoteModule(Xm::Sample sample, uint8_t note, int rows) {
    Xm::Module m;
    m.channels = 2, m.speed = 6, m.bpm = 125;
    Xm::Pattern p(rows, 2);
    p.at(0, 0) = {note, 1, 0x50, 0, 0};
    m.patterns.push_back(p);
    m.order = {0};
    m.instruments.push_back({"tone", std::move(sample), {}, -1, 0});
    return m;
}

// Frequency of the left channel between two times, from its upward zero crossings.
double pitchHz(const StereoBuffer& b, double fromMs, double toMs) {
    long from = framesAt(fromMs), to = framesAt(toMs);
    long first = -1, last = -1, crossings = 0;
    for (long i = from + 1; i < to; ++i)
        if (b.left[size_t(i - 1)] < 0.0f && b.left[size_t(i)] >= 0.0f) {
            if (first < 0) first = i;
            last = i;
            ++crossings;
        }
    return crossings > 1 ? (crossings - 1) * double(kSampleRate) / double(last - first) : 0.0;
}

double rmsDb(const StereoBuffer& b, double fromMs, double toMs) {
    double sum = 0.0;
    long from = framesAt(fromMs), to = framesAt(toMs);
    for (long i = from; i < to; ++i) sum += double(b.left[size_t(i)]) * b.left[size_t(i)];
    return sum > 0.0 ? 10.0 * std::log10(sum / double(to - from)) : -200.0;
}

} // namespace

TEST(MusicXm, TunedSamplesPlayAtTheirPitchLoopedOnesSustainAndOneShotsEnd) {
    // Ten cycles in 1000 frames are 441 Hz at 44.1 kHz; tuned so that C-4 sounds middle C and
    // C-5 an octave up, within 3.5 cents. A 4410 Hz recording needs a negative relative note.
    for (int cyclesPer1000 : {10, 100})
        for (uint8_t note : {Xm::kNoteC4, uint8_t(Xm::kNoteC4 + 12)}) {
            Xm::Sample s = sineSample(1000, cyclesPer1000, true);
            Xm::tune(s, kSampleRate, 44.1 * cyclesPer1000, 261.6256);
            double expected = note == Xm::kNoteC4 ? 261.6256 : 523.2511;
            StereoBuffer played = renderModule(Xm::write(oneNoteModule(s, note, 16)));
            EXPECT_NEAR(pitchHz(played, 200.0, 1800.0), expected, expected * 0.002)
                << cyclesPer1000 << " cycles, note " << int(note);
            EXPECT_GT(rmsDb(played, 1500.0, 1800.0), -30.0) << "a looped sample sustains";
        }
    Xm::Sample shortSample = sineSample(4410, 44, false); // 100 ms at its own rate
    Xm::tune(shortSample, kSampleRate, 1.0, 1.0);
    StereoBuffer once = renderModule(Xm::write(oneNoteModule(shortSample, Xm::kNoteC4, 16)));
    EXPECT_GT(rmsDb(once, 20.0, 80.0), -30.0);
    EXPECT_LT(rmsDb(once, 500.0, 1800.0), -90.0);
}

TEST(MusicXm, RefusesModulesTheFormatCannotHold) {
    auto refused = [](auto change) {
        Xm::Module m = oneNoteModule(sineSample(100, 1, true), Xm::kNoteC4, 4);
        change(m);
        EXPECT_THROW(Xm::write(m), std::invalid_argument);
    };
    refused([](Xm::Module& m) { m.order = {0, 1}; });
    refused([](Xm::Module& m) { m.order.clear(); });
    refused([](Xm::Module& m) { m.channels = 3; });
    refused([](Xm::Module& m) { m.channels = 33, m.patterns = {Xm::Pattern(4, 33)}; });
    refused([](Xm::Module& m) { m.patterns = {Xm::Pattern(257, 2)}; });
    refused([](Xm::Module& m) { m.instruments[0].volumeEnvelope.assign(13, {0, 64}); });
    refused([](Xm::Module& m) { m.instruments[0].sample.loopLength = 101; });
    refused([](Xm::Module& m) { m.instruments[0].sample.volume = 65; });
    refused([](Xm::Module& m) { m.patterns[0].at(0, 0).note = 98; });
    refused([](Xm::Module& m) { m.bpm = 300; });
}
