// Loudness and peak measurement of stereo audio: integrated loudness after ITU-R BS.1770
// (K-weighting, 400 ms blocks with 75 % overlap, absolute gate -70 LUFS, relative gate -10 LU).
#pragma once

#include "music/AudioBuffer.h"

namespace Music::Loudness {

// Loudness value reported for audio with no block above the absolute gate (silence).
constexpr double kSilence = -200.0;

// Integrated loudness in LUFS of the two channels at the given sample rate.
double integrated(const float* left, const float* right, size_t frames, int sampleRate);
double integrated(const StereoBuffer& buffer);
// Highest absolute sample of either channel, in dBFS (kSilence for all-zero audio).
double peakDb(const StereoBuffer& buffer);

} // namespace Music::Loudness
