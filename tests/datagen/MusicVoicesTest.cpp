// The synthesized instruments and effects: bounded, audible, repeatable from a seed, at the
// pitch asked for; echoes and reverb tails that die away; stutters that repeat without clicks.
#include "music/Effects.h"
#include "music/Voices.h"
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace Music;

namespace {

double rmsDb(const std::vector<float>& m, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to && i < m.size(); ++i) sum += double(m[i]) * m[i];
    return sum > 0.0 ? 10.0 * std::log10(sum / double(to - from)) : -200.0;
}

// Fundamental by autocorrelation over 8192 frames from 4410: the lag (40 Hz to 2 kHz) at which
// the sound best matches itself.
double pitchHz(const Mono& m) {
    double bestScore = -1e30;
    size_t bestLag = 0;
    for (size_t lag = kSampleRate / 2000; lag <= kSampleRate / 40; ++lag) {
        double score = 0.0;
        for (size_t i = 4410; i < 4410 + 8192; ++i) score += double(m[i]) * m[i + lag];
        if (score > bestScore * 1.0001) bestScore = score, bestLag = lag;
    }
    return double(kSampleRate) / double(bestLag);
}

} // namespace

TEST(MusicVoices, EveryVoiceIsBoundedAudibleRepeatableAndInTune) {
    const std::vector<float> chord = chordHz({57, 60, 64});
    const std::pair<const char*, std::function<Mono()>> voices[] = {
        {"kick", [] { return Voices::kick(); }},
        {"snare", [] { return Voices::snare(); }},
        {"clap", [] { return Voices::clap(); }},
        {"hat", [] { return Voices::hat(0.3f); }},
        {"crash", [] { return Voices::crash(); }},
        {"glitch", [] { return Voices::glitch(0.5f, 1.0f); }},
        {"riser", [] { return Voices::riser(2.0f); }},
        {"bass", [] { return Voices::bass(noteHz(28), 1.0f); }},
        {"pad", [&] { return Voices::pad(chord, 2.0f, 0.5f, 0.5f, 20000.0f); }},
        {"stab", [&] { return Voices::stab(chord, 0.5f); }},
        {"pluck", [] { return Voices::pluck(noteHz(96), 1.0f, 1.0f); }},
        {"bell", [] { return Voices::bell(noteHz(84), 1.0f); }},
        {"lead", [] { return Voices::lead(noteHz(88), 1.0f); }},
    };
    for (const auto& [name, make] : voices) {
        SCOPED_TRACE(name);
        ShowRandom::seed(7);
        Mono first = make();
        ShowRandom::seed(7);
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first, make());
        float peak = 0.0f;
        for (float v : first) {
            ASSERT_TRUE(std::isfinite(v));
            peak = std::fmax(peak, std::fabs(v));
        }
        EXPECT_LT(peak, 3.0f);
        EXPECT_GT(rmsDb(first, 0, first.size()), -40.0);
    }
    const float a3 = noteHz(57);
    EXPECT_NEAR(noteHz(69), 440.0f, 1e-3f);
    EXPECT_NEAR(pitchHz(Voices::bass(a3 / 2.0f, 1.0f)), a3 / 2.0f, a3 * 0.01f);
    EXPECT_NEAR(pitchHz(Voices::pluck(a3, 1.0f, 0.0f)), a3, a3 * 0.02f);
    EXPECT_NEAR(pitchHz(Voices::lead(a3, 1.0f)), a3, a3 * 0.02f);
}

TEST(MusicEffects, EchoesAndReverbTailsDieAway) {
    StereoBuffer b(size_t(kSampleRate * 8));
    b.left[0] = 1.0f;
    Effects::echo(b, 250.0f, 0.5f, 0.5f);
    // The first echo of a left impulse comes back on the right, and the echoes die away.
    size_t step = size_t(framesAt(250.0));
    EXPECT_EQ(rmsDb(b.left, step, 2 * step), -200.0);
    EXPECT_GT(rmsDb(b.right, step, 2 * step), -120.0);
    for (size_t i = size_t(framesAt(7000.0)); i < b.frames(); ++i)
        ASSERT_LT(std::fabs(b.left[i]) + std::fabs(b.right[i]), 1e-4f);

    // A reverb tail falls about 60 dB in its time.
    StereoBuffer r(size_t(kSampleRate * 6));
    std::fill_n(r.left.begin(), 441, 0.5f);
    std::fill_n(r.right.begin(), 441, 0.5f);
    Effects::reverb(r, 1.0f, 1.0f);
    double early = rmsDb(r.left, size_t(framesAt(100.0)), size_t(framesAt(200.0)));
    double late = rmsDb(r.left, size_t(framesAt(1100.0)), size_t(framesAt(1200.0)));
    EXPECT_NEAR(early - late, 60.0, 15.0);
    for (float v : r.left) ASSERT_TRUE(std::isfinite(v));
}

TEST(MusicEffects, StutterRepeatsTheFirstSliceWithoutJumps) {
    StereoBuffer b(44100);
    for (size_t i = 0; i < b.frames(); ++i) b.left[i] = b.right[i] = 0.5f * float(std::sin(0.01 * double(i)));
    StereoBuffer original = b;
    Effects::stutter(b, 100.0, 400.0, 70.0);
    long start = framesAt(100.0), slice = framesAt(70.0), end = framesAt(400.0), ramp = framesAt(2.0);
    for (long i = 0; i < long(b.frames()); ++i) {
        long offset = (i - start) % slice;
        bool outside = i < start + slice - ramp || i >= end + ramp;
        bool repeat = i >= start + slice + ramp && i < end - ramp && offset >= ramp && offset < slice - ramp;
        if (outside || repeat) {
            ASSERT_EQ(b.left[size_t(i)], original.left[size_t(outside ? i : start + offset)]) << i;
        }
        // A 0.5 sine at 0.01 rad per frame moves at most 0.005 a frame; the fades at most 0.5 / ramp.
        if (i > 0) {
            ASSERT_LT(std::fabs(b.left[size_t(i)] - b.left[size_t(i - 1)]), 0.5f / float(ramp) + 0.006f) << i;
        }
    }
    StereoBuffer untouched = original;
    Effects::stutter(untouched, 100.0, 150.0, 70.0); // window shorter than a slice: nothing to repeat
    EXPECT_EQ(untouched.left, original.left);
}
