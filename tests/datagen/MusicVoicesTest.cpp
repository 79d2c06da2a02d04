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

double rmsDb(const Mono& m, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to && i < m.size(); ++i)
        sum += double(m[i]) * m[i];
    return sum > 0.0 ? 10.0 * std::log10(sum / double(to - from)) : -200.0;
}

// Fundamental by autocorrelation over 8192 frames from `from`: the lag (40 Hz to 2 kHz) at
// which the sound best matches itself.
double pitchHz(const Mono& m, size_t from) {
    const size_t window = 8192;
    double bestScore = -1e30;
    size_t bestLag = 0;
    for (size_t lag = kSampleRate / 2000; lag <= kSampleRate / 40; ++lag) {
        double score = 0.0;
        for (size_t i = from; i < from + window; ++i)
            score += double(m[i]) * m[i + lag];
        if (score > bestScore * 1.0001) {
            bestScore = score;
            bestLag = lag;
        }
    }
    return double(kSampleRate) / double(bestLag);
}

} // namespace

TEST(MusicVoices, EveryVoiceIsBoundedAudibleAndRepeatable) {
    const std::pair<const char*, std::function<Mono()>> voices[] = {
        {"kick", [] { return Voices::kick(); }},
        {"snare", [] { return Voices::snare(); }},
        {"clap", [] { return Voices::clap(); }},
        {"hat", [] { return Voices::hat(0.3f); }},
        {"crash", [] { return Voices::crash(); }},
        {"glitch", [] { return Voices::glitch(0.5f, 1.0f); }},
        {"riser", [] { return Voices::riser(2.0f); }},
        {"bass", [] { return Voices::bass(noteHz(28), 1.0f); }},
        {"pad",
         [] {
             return Voices::pad(chordHz({57, 60, 64}), 2.0f, 0.5f, 0.5f, 20000.0f);
         }},
        {"stab",
         [] {
             return Voices::stab(chordHz({57, 60, 64}), 0.5f);
         }},
        {"pluck", [] { return Voices::pluck(noteHz(96), 1.0f, 1.0f); }},
        {"bell", [] { return Voices::bell(noteHz(84), 1.0f); }},
        {"lead", [] { return Voices::lead(noteHz(88), 1.0f); }},
    };
    for (const auto& [name, make] : voices) {
        SCOPED_TRACE(name);
        ShowRandom::seed(7);
        Mono first = make();
        ShowRandom::seed(7);
        Mono second = make();
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first, second);
        float peak = 0.0f;
        for (float v : first) {
            ASSERT_TRUE(std::isfinite(v));
            peak = std::fmax(peak, std::fabs(v));
        }
        EXPECT_LT(peak, 3.0f);
        EXPECT_GT(rmsDb(first, 0, first.size()), -40.0);
    }
}

TEST(MusicVoices, PitchedVoicesSoundTheirNote) {
    const float a3 = noteHz(57);
    EXPECT_NEAR(noteHz(69), 440.0f, 1e-3f);
    EXPECT_NEAR(pitchHz(Voices::bass(a3 / 2.0f, 1.0f), 4410), a3 / 2.0f, a3 * 0.01f);
    EXPECT_NEAR(pitchHz(Voices::pluck(a3, 1.0f, 0.0f), 4410), a3, a3 * 0.02f);
    EXPECT_NEAR(pitchHz(Voices::lead(a3, 1.0f), 4410), a3, a3 * 0.02f);
}

TEST(MusicEffects, EchoesAlternateSidesAndDieAway) {
    StereoBuffer b(size_t(kSampleRate * 8));
    b.left[0] = 1.0f;
    Effects::echo(b, 250.0f, 0.5f, 0.5f);
    long step = framesAt(250.0);
    // The first echo of a left impulse comes back on the right, the next on the left.
    double firstRight = 0.0, secondLeft = 0.0, firstLeft = 0.0;
    for (long i = step; i < 2 * step; ++i) {
        firstRight += std::fabs(b.right[size_t(i)]);
        firstLeft += std::fabs(b.left[size_t(i)]);
    }
    for (long i = 2 * step; i < 3 * step; ++i)
        secondLeft += std::fabs(b.left[size_t(i)]);
    EXPECT_GT(firstRight, 0.1);
    EXPECT_EQ(firstLeft, 0.0);
    EXPECT_GT(secondLeft, 0.01);
    EXPECT_LT(secondLeft, firstRight);
    for (size_t i = size_t(framesAt(7000.0)); i < b.frames(); ++i)
        ASSERT_LT(std::fabs(b.left[i]) + std::fabs(b.right[i]), 1e-4f);
}

TEST(MusicEffects, ReverbTailFallsAboutSixtyDecibelsInItsTime) {
    StereoBuffer b(size_t(kSampleRate * 6));
    for (size_t i = 0; i < 441; ++i)
        b.left[i] = b.right[i] = 0.5f;
    Effects::reverb(b, 1.0f, 1.0f);
    Mono tail(b.left.begin(), b.left.end());
    double early = rmsDb(tail, size_t(framesAt(100.0)), size_t(framesAt(200.0)));
    double late = rmsDb(tail, size_t(framesAt(1100.0)), size_t(framesAt(1200.0)));
    EXPECT_NEAR(early - late, 60.0, 15.0);
    for (float v : tail)
        ASSERT_TRUE(std::isfinite(v));
}

TEST(MusicEffects, StutterRepeatsTheFirstSliceWithoutJumps) {
    StereoBuffer b(44100);
    for (size_t i = 0; i < b.frames(); ++i)
        b.left[i] = b.right[i] = 0.5f * float(std::sin(0.01 * double(i)));
    StereoBuffer original = b;
    Effects::stutter(b, 100.0, 400.0, 70.0);
    long start = framesAt(100.0), slice = framesAt(70.0), end = framesAt(400.0), ramp = framesAt(2.0);
    for (long i = 0; i < start + slice - ramp; ++i)
        ASSERT_EQ(b.left[size_t(i)], original.left[size_t(i)]) << i;
    for (long i = start + slice + ramp; i < end - ramp; ++i) {
        long offset = (i - start) % slice;
        if (offset >= ramp && offset < slice - ramp) {
            ASSERT_EQ(b.left[size_t(i)], original.left[size_t(start + offset)]) << i;
        }
    }
    for (long i = end + ramp; i < long(b.frames()); ++i)
        ASSERT_EQ(b.right[size_t(i)], original.right[size_t(i)]) << i;
    // A 0.5 sine at 0.01 rad per frame moves at most 0.005 a frame; the fades at most 0.5 / ramp.
    for (size_t i = 1; i < b.frames(); ++i)
        ASSERT_LT(std::fabs(b.left[i] - b.left[i - 1]), 0.5f / float(ramp) + 0.006f) << i;

    StereoBuffer untouched = original;
    Effects::stutter(untouched, 100.0, 150.0, 70.0); // window shorter than a slice: nothing to repeat
    EXPECT_EQ(untouched.left, original.left);
}
