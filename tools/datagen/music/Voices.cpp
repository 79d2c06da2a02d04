// Synthesis of the show's instruments from oscillators, noise, filters and envelopes.
#include "music/Voices.h"

#include "music/Filters.h"

#include <cmath>

namespace Music {

float noteHz(int midiNote) {
    return 440.0f * std::pow(2.0f, float(midiNote - 69) / 12.0f);
}

std::vector<float> chordHz(const std::vector<int>& midiNotes) {
    std::vector<float> hz;
    for (int n : midiNotes)
        hz.push_back(noteHz(n));
    return hz;
}

namespace {

constexpr float kTwoPi = 6.2831853f;

size_t lengthOf(float seconds) {
    return size_t(seconds * float(kSampleRate));
}

// Linear attack, then sustain, then a linear release over the last `release` seconds.
float attackRelease(size_t i, size_t n, float attack, float release) {
    float t = float(i) / float(kSampleRate);
    float left = float(n - i) / float(kSampleRate);
    float g = 1.0f;
    if (attack > 0.0f && t < attack) g = t / attack;
    if (release > 0.0f && left < release) g = std::fmin(g, left / release);
    return g;
}

} // namespace

namespace Voices {

Mono kick(float lowHz, float seconds) {
    Mono out(lengthOf(seconds));
    float phase = 0.0f, amp = 1.0f, sweep = 1.0f;
    float ampDecay = decayFactor(0.16f), sweepDecay = decayFactor(0.028f), clickDecay = decayFactor(0.002f);
    float click = 1.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        float hz = lowHz + 110.0f * sweep;
        phase += hz / float(kSampleRate);
        if (phase >= 1.0f) phase -= 1.0f;
        float body = std::sin(kTwoPi * phase) * amp;
        out[i] = std::tanh(1.6f * body) + 0.25f * click * whiteNoise();
        amp *= ampDecay;
        sweep *= sweepDecay;
        click *= clickDecay;
    }
    return out;
}

Mono snare(float toneHz, float seconds) {
    Mono out(lengthOf(seconds));
    StateVariableFilter hp(1800.0f, 0.7f);
    float phase1 = 0.0f, phase2 = 0.0f, tone = 1.0f, noise = 1.0f;
    float toneDecay = decayFactor(0.05f), noiseDecay = decayFactor(0.09f);
    for (size_t i = 0; i < out.size(); ++i) {
        phase1 += toneHz / float(kSampleRate);
        phase2 += toneHz * 1.71f / float(kSampleRate);
        float body = (std::sin(kTwoPi * phase1) + 0.5f * std::sin(kTwoPi * phase2)) * tone * 0.6f;
        out[i] = body + hp.highpass(whiteNoise()) * noise * 0.9f;
        tone *= toneDecay;
        noise *= noiseDecay;
    }
    return out;
}

Mono clap() {
    Mono out(lengthOf(0.35f));
    StateVariableFilter bp(1300.0f, 1.2f);
    float tail = 1.0f, tailDecay = decayFactor(0.075f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kSampleRate);
        float burst = 0.0f;
        for (int b = 0; b < 3; ++b) {
            float local = t - 0.011f * float(b);
            if (local >= 0.0f && local < 0.011f) burst = std::exp(-local / 0.003f);
        }
        float env = t < 0.033f ? burst : tail;
        if (t >= 0.033f) tail *= tailDecay;
        out[i] = bp.bandpass(whiteNoise()) * env * 2.2f;
    }
    return out;
}

Mono hat(float seconds) {
    Mono out(lengthOf(seconds));
    StateVariableFilter hp(7500.0f, 0.9f);
    // Six square waves at inharmonic ratios give the metallic ring under the noise.
    const float ratios[6] = {1.0f, 1.342f, 1.2312f, 1.6532f, 1.9523f, 2.1523f};
    float phases[6] = {};
    float amp = 1.0f, decay = decayFactor(seconds * 0.22f);
    for (size_t i = 0; i < out.size(); ++i) {
        float metal = 0.0f;
        for (int k = 0; k < 6; ++k) {
            phases[k] += 330.0f * ratios[k] / float(kSampleRate);
            if (phases[k] >= 1.0f) phases[k] -= 1.0f;
            metal += phases[k] < 0.5f ? 0.15f : -0.15f;
        }
        out[i] = hp.highpass(0.6f * whiteNoise() + metal) * amp;
        amp *= decay;
    }
    return out;
}

Mono crash(float seconds) {
    Mono out(lengthOf(seconds));
    StateVariableFilter hp(4200.0f, 0.6f);
    float amp = 1.0f, decay = decayFactor(seconds * 0.3f);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = hp.highpass(whiteNoise()) * amp * 0.8f;
        amp *= decay;
    }
    return out;
}

Mono glitch(float seconds, float roughness) {
    Mono out(lengthOf(seconds));
    StateVariableFilter bp(900.0f + 3000.0f * roughness, 2.5f);
    float held = 0.0f, buzz = 0.0f;
    size_t hold = 1, counter = 0;
    float buzzHz = 60.0f + 40.0f * float(randomBelow(8));
    for (size_t i = 0; i < out.size(); ++i) {
        if (counter == 0) {
            held = whiteNoise();
            hold = 1 + size_t(randomBelow(int(4 + 60 * roughness)));
            counter = hold;
            if (randomBelow(64) == 0) bp.setCutoff(500.0f + 80.0f * float(randomBelow(80)), 2.5f);
        }
        --counter;
        buzz += buzzHz / float(kSampleRate);
        if (buzz >= 1.0f) buzz -= 1.0f;
        float ring = buzz < 0.5f ? 1.0f : -1.0f;
        float crushed = std::round(held * 6.0f) / 6.0f;
        float shaped = 0.55f * crushed + 0.45f * bp.bandpass(crushed) * 2.0f;
        out[i] = shaped * (0.7f + 0.3f * ring) * attackRelease(i, out.size(), 0.002f, 0.01f);
    }
    return out;
}

Mono riser(float seconds) {
    Mono out(lengthOf(seconds));
    StateVariableFilter bp(200.0f, 3.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(out.size());
        if (i % 32 == 0) bp.setCutoff(200.0f * std::pow(40.0f, t), 3.0f);
        out[i] = bp.bandpass(whiteNoise()) * t * t * attackRelease(i, out.size(), 0.0f, 0.02f) * 1.5f;
    }
    return out;
}

Mono bass(float hz, float seconds, float cutoffHz) {
    Mono out(lengthOf(seconds));
    SawOscillator saw(hz);
    StateVariableFilter lp(cutoffHz * 4.0f, 1.1f);
    float subPhase = 0.0f, sweep = 1.0f, sweepDecay = decayFactor(0.06f);
    for (size_t i = 0; i < out.size(); ++i) {
        if (i % 16 == 0) lp.setCutoff(cutoffHz * (1.0f + 3.0f * sweep), 1.1f);
        subPhase += hz / float(kSampleRate);
        if (subPhase >= 1.0f) subPhase -= 1.0f;
        float tone = 0.55f * lp.lowpass(saw.next()) + 0.6f * std::sin(kTwoPi * subPhase);
        out[i] = tone * attackRelease(i, out.size(), 0.003f, 0.03f) * (0.75f + 0.25f * sweep);
        sweep *= sweepDecay;
    }
    return out;
}

Mono pad(const std::vector<float>& hz, float seconds, float attack, float release, float cutoffHz,
         float detuneCents) {
    Mono out(lengthOf(seconds), 0.0f);
    float spread = std::pow(2.0f, detuneCents / 1200.0f);
    float startPhase = 0.0f;
    for (float f : hz) {
        SawOscillator a(f / spread, startPhase), b(f, startPhase + 0.33f), c(f * spread, startPhase + 0.66f);
        startPhase = std::fmod(startPhase + 0.37f, 1.0f);
        for (size_t i = 0; i < out.size(); ++i)
            out[i] += (a.next() + b.next() + c.next()) * 0.33f;
    }
    StateVariableFilter lp(cutoffHz, 0.8f);
    float norm = 1.0f / std::sqrt(float(hz.size()));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = lp.lowpass(out[i]) * norm * attackRelease(i, out.size(), attack, release);
    return out;
}

Mono stab(const std::vector<float>& hz, float seconds) {
    Mono out(lengthOf(seconds), 0.0f);
    float startPhase = 0.1f;
    for (float f : hz) {
        SawOscillator a(f * 0.997f, startPhase), b(f * 1.003f, startPhase + 0.5f);
        startPhase = std::fmod(startPhase + 0.29f, 1.0f);
        for (size_t i = 0; i < out.size(); ++i)
            out[i] += (a.next() + b.next()) * 0.5f;
    }
    StateVariableFilter lp(6000.0f, 1.4f);
    float sweep = 1.0f, sweepDecay = decayFactor(0.07f), amp = 1.0f, ampDecay = decayFactor(seconds * 0.35f);
    float norm = 1.0f / std::sqrt(float(hz.size()));
    for (size_t i = 0; i < out.size(); ++i) {
        if (i % 16 == 0) lp.setCutoff(700.0f + 5500.0f * sweep, 1.4f);
        out[i] = lp.lowpass(out[i]) * amp * norm * attackRelease(i, out.size(), 0.002f, 0.02f);
        sweep *= sweepDecay;
        amp *= ampDecay;
    }
    return out;
}

Mono pluck(float hz, float seconds, float brightness) {
    Mono out(lengthOf(seconds));
    size_t period = size_t(float(kSampleRate) / hz);
    if (period < 2) period = 2;
    std::vector<float> line(period);
    OnePoleLowpass tone(1500.0f + 9000.0f * brightness);
    for (float& v : line)
        v = tone.process(whiteNoise());
    float damping = 0.4985f + 0.001f * brightness;
    size_t pos = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        size_t nextPos = pos + 1 == period ? 0 : pos + 1;
        float v = line[pos];
        line[pos] = (v + line[nextPos]) * damping;
        out[i] = v * attackRelease(i, out.size(), 0.0f, 0.05f);
        pos = nextPos;
    }
    return out;
}

Mono bell(float hz, float seconds) {
    Mono out(lengthOf(seconds));
    float carrier = 0.0f, modulator = 0.0f, index = 3.0f, amp = 1.0f;
    float indexDecay = decayFactor(seconds * 0.2f), ampDecay = decayFactor(seconds * 0.3f);
    for (size_t i = 0; i < out.size(); ++i) {
        modulator += hz * 3.5f / float(kSampleRate);
        carrier += hz / float(kSampleRate);
        if (modulator >= 1.0f) modulator -= 1.0f;
        if (carrier >= 1.0f) carrier -= 1.0f;
        float m = std::sin(kTwoPi * modulator) * index;
        out[i] = std::sin(kTwoPi * carrier + m) * amp * attackRelease(i, out.size(), 0.002f, 0.05f);
        index *= indexDecay;
        amp *= ampDecay;
    }
    return out;
}

Mono lead(float hz, float seconds) {
    Mono out(lengthOf(seconds));
    SawOscillator a(hz), b(hz * 1.004f, 0.5f);
    StateVariableFilter lp(2600.0f, 1.0f);
    float vibrato = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kSampleRate);
        vibrato += 5.2f / float(kSampleRate);
        if (vibrato >= 1.0f) vibrato -= 1.0f;
        float depth = std::fmin(t / 0.4f, 1.0f) * 0.006f;
        float f = hz * (1.0f + depth * std::sin(kTwoPi * vibrato));
        if (i % 16 == 0) {
            a.setFrequency(f);
            b.setFrequency(f * 1.004f);
        }
        out[i] = lp.lowpass((a.next() + b.next()) * 0.5f) * attackRelease(i, out.size(), 0.015f, 0.12f);
    }
    return out;
}

} // namespace Voices
} // namespace Music
