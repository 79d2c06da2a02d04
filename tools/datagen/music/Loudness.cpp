// Integrated loudness after ITU-R BS.1770: a K-weighting filter (high shelf, then high pass,
// designed for the actual sample rate), mean squares over gated 400 ms blocks.
#include "music/Loudness.h"

#include <cmath>
#include <vector>

namespace Music::Loudness {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
    double process(double x) {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The recommendation gives coefficients for 48 kHz; these are the analogue prototypes behind
// them, so any sample rate gets the same response.
Biquad highShelf(int rate) {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    double k = std::tan(kPi * f0 / rate);
    double vh = std::pow(10.0, gainDb / 20.0);
    double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad highPass(int rate) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    double k = std::tan(kPi * f0 / rate);
    double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

double toLufs(double meanSquare) {
    return -0.691 + 10.0 * std::log10(meanSquare);
}

} // namespace

double integrated(const float* left, const float* right, size_t frames, int sampleRate) {
    // K-weighted squares summed over 100 ms steps; a block is four consecutive steps.
    size_t step = size_t(sampleRate / 10);
    if (step == 0 || frames < 4 * step) return kSilence;
    std::vector<double> stepEnergy(frames / step, 0.0);
    const float* channels[2] = {left, right};
    for (const float* channel : channels) {
        Biquad shelf = highShelf(sampleRate), pass = highPass(sampleRate);
        for (size_t i = 0; i < stepEnergy.size() * step; ++i) {
            double y = pass.process(shelf.process(channel[i]));
            stepEnergy[i / step] += y * y;
        }
    }
    std::vector<double> blocks;
    for (size_t s = 0; s + 4 <= stepEnergy.size(); ++s)
        blocks.push_back((stepEnergy[s] + stepEnergy[s + 1] + stepEnergy[s + 2] + stepEnergy[s + 3]) /
                         double(4 * step));
    auto gatedMean = [&](double gateLufs) {
        double sum = 0.0;
        size_t count = 0;
        for (double z : blocks)
            if (z > 0.0 && toLufs(z) > gateLufs) {
                sum += z;
                ++count;
            }
        return count ? sum / double(count) : 0.0;
    };
    double absoluteMean = gatedMean(-70.0);
    if (absoluteMean <= 0.0) return kSilence;
    double relativeGate = toLufs(absoluteMean) - 10.0;
    double mean = gatedMean(relativeGate > -70.0 ? relativeGate : -70.0);
    return mean > 0.0 ? toLufs(mean) : kSilence;
}

double integrated(const StereoBuffer& buffer) {
    return integrated(buffer.left.data(), buffer.right.data(), buffer.frames(), kSampleRate);
}

double peakDb(const StereoBuffer& buffer) {
    float peak = 0.0f;
    for (size_t i = 0; i < buffer.frames(); ++i)
        peak = std::fmax(peak, std::fmax(std::fabs(buffer.left[i]), std::fabs(buffer.right[i])));
    return peak > 0.0f ? 20.0 * std::log10(double(peak)) : kSilence;
}

} // namespace Music::Loudness
