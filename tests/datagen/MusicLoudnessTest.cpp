// The loudness meter against the recommendation's reference signals, and mastering to a
// target loudness under a peak ceiling.
#include "music/Loudness.h"
#include "music/Mastering.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Music;

namespace {

// A sine of `hz` at peak `dbfs` on both channels (or only the left), `seconds` long.
StereoBuffer sine(double hz, double dbfs, double seconds, int rate = kSampleRate, bool bothChannels = true) {
    StereoBuffer b(size_t(seconds * rate));
    double a = std::pow(10.0, dbfs / 20.0);
    for (size_t i = 0; i < b.frames(); ++i) {
        b.left[i] = float(a * std::sin(6.283185307179586 * hz * double(i) / rate));
        b.right[i] = bothChannels ? b.left[i] : 0.0f;
    }
    return b;
}

double measure(const StereoBuffer& b, int rate) {
    return Loudness::integrated(b.left.data(), b.right.data(), b.frames(), rate);
}

StereoBuffer join(const StereoBuffer& a, const StereoBuffer& b) {
    StereoBuffer out = a;
    out.left.insert(out.left.end(), b.left.begin(), b.left.end());
    out.right.insert(out.right.end(), b.right.begin(), b.right.end());
    return out;
}

} // namespace

TEST(MusicLoudness, ReferenceSineReadsItsLevelAndKWeightingFavoursPresence) {
    // A 1 kHz sine at -23 dBFS on both channels is -23 LUFS at either rate; on one channel 3 dB less.
    EXPECT_NEAR(measure(sine(1000.0, -23.0, 10.0), kSampleRate), -23.0, 0.1);
    EXPECT_NEAR(measure(sine(1000.0, -23.0, 10.0, 48000), 48000), -23.0, 0.1);
    EXPECT_NEAR(measure(sine(1000.0, -23.0, 10.0, kSampleRate, false), kSampleRate), -26.0, 0.1);
    double mid = measure(sine(1000.0, -20.0, 5.0), kSampleRate);
    EXPECT_LT(measure(sine(30.0, -20.0, 5.0), kSampleRate), mid - 2.0);
    EXPECT_NEAR(measure(sine(8000.0, -20.0, 5.0), kSampleRate) - mid, 4.0, 1.0);
}

TEST(MusicLoudness, GatesLeaveOutSilenceAndQuietPassages) {
    StereoBuffer tone = sine(1000.0, -20.0, 10.0);
    // Silence falls under the absolute gate: padding does not lower the reading (beyond the
    // few blocks that straddle the edges; averaging the silence in would read 4 dB less).
    EXPECT_NEAR(measure(join(join(StereoBuffer(size_t(10 * kSampleRate)), tone),
                             StereoBuffer(size_t(5 * kSampleRate))),
                        kSampleRate),
                measure(tone, kSampleRate), 0.3);
    // A passage 30 dB down falls under the relative gate (an ungated mean would read 3 dB less).
    EXPECT_NEAR(measure(join(tone, sine(1000.0, -50.0, 10.0)), kSampleRate), measure(tone, kSampleRate), 0.1);
    // Nothing above the gates, or too short for one block: the silence value, not a number
    // computed from zero.
    EXPECT_EQ(measure(StereoBuffer(size_t(3 * kSampleRate)), kSampleRate), Loudness::kSilence);
    EXPECT_EQ(measure(sine(1000.0, -10.0, 0.3), kSampleRate), Loudness::kSilence);
    EXPECT_EQ(Loudness::peakDb(StereoBuffer(100)), Loudness::kSilence);
}

TEST(MusicMastering, ReachesTheTargetWithPeaksUnderTheCeiling) {
    // A quiet tone with sparse full-scale spikes: levelling alone would push the spikes far
    // over the ceiling.
    StereoBuffer mix = sine(220.0, -40.0, 20.0);
    for (size_t i = 0; i < mix.frames(); i += 11025) {
        mix.left[i] = 0.9f;
        mix.right[i] = -0.9f;
    }
    master(mix, -15.0, -2.5);
    EXPECT_NEAR(Loudness::integrated(mix), -15.0, 0.3);
    EXPECT_LE(Loudness::peakDb(mix), -2.5);

    StereoBuffer silent(size_t(5 * kSampleRate));
    master(silent, -15.0, -2.5);
    EXPECT_EQ(silent.left, std::vector<float>(silent.frames(), 0.0f));
}
