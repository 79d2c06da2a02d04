// Small filters and oscillators for synthesis.
#include "music/Filters.h"

#include "music/AudioBuffer.h"
#include "platform/ShowRandom.h"

#include <cmath>

namespace Music {

void StateVariableFilter::setCutoff(float cutoffHz, float q) {
    float limited = std::fmin(cutoffHz, kSampleRate * 0.45f);
    float g = std::tan(3.14159265f * limited / float(kSampleRate));
    k = 1.0f / q;
    a1 = 1.0f / (1.0f + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

StateVariableFilter::Out StateVariableFilter::process(float x) {
    float v3 = x - ic2;
    float v1 = a1 * ic1 + a2 * v3;
    float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    return {v2, v1, x - k * v1 - v2};
}

OnePoleLowpass::OnePoleLowpass(float cutoffHz)
    : coefficient(1.0f - std::exp(-6.2831853f * cutoffHz / float(kSampleRate))) {}

SawOscillator::SawOscillator(float hz, float startPhase) : phase(startPhase) {
    setFrequency(hz);
}

void SawOscillator::setFrequency(float hz) {
    step = hz / float(kSampleRate);
}

float SawOscillator::next() {
    float t = phase;
    float value = 2.0f * t - 1.0f;
    if (t < step) {
        float u = t / step;
        value -= u + u - u * u - 1.0f;
    } else if (t > 1.0f - step) {
        float u = (t - 1.0f) / step;
        value -= u * u + u + u + 1.0f;
    }
    phase += step;
    if (phase >= 1.0f) phase -= 1.0f;
    return value;
}

float whiteNoise() {
    return float(ShowRandom::next()) * (2.0f / 32767.0f) - 1.0f;
}

int randomBelow(int n) {
    return n > 0 ? ShowRandom::next() % n : 0;
}

float decayFactor(float seconds) {
    return std::exp(-1.0f / (seconds * float(kSampleRate)));
}

} // namespace Music
