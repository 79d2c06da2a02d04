// Small filters and oscillators for synthesis: a state-variable filter, a one-pole lowpass,
// a band-limited sawtooth and white noise drawn from the show's generator.
#pragma once

namespace Music {

// Topology-preserving state-variable filter: lowpass, bandpass and highpass from one state.
class StateVariableFilter {
  public:
    StateVariableFilter(float cutoffHz, float q) { setCutoff(cutoffHz, q); }
    void setCutoff(float cutoffHz, float q);
    struct Out {
        float low, band, high;
    };
    Out process(float x);
    float lowpass(float x) { return process(x).low; }
    float bandpass(float x) { return process(x).band; }
    float highpass(float x) { return process(x).high; }

  private:
    float k = 1.0f, a1 = 0.0f, a2 = 0.0f, a3 = 0.0f;
    float ic1 = 0.0f, ic2 = 0.0f;
};

class OnePoleLowpass {
  public:
    explicit OnePoleLowpass(float cutoffHz);
    float process(float x) {
        state += coefficient * (x - state);
        return state;
    }

  private:
    float coefficient;
    float state = 0.0f;
};

// Sawtooth with polynomial band-limited steps, so high notes do not alias audibly.
class SawOscillator {
  public:
    explicit SawOscillator(float hz, float startPhase = 0.0f);
    void setFrequency(float hz);
    float next();

  private:
    float phase;
    float step;
};

// Uniform white noise in [-1, 1] from the show's generator; deterministic after seeding it.
float whiteNoise();
// A whole number in [0, n) from the show's generator.
int randomBelow(int n);

// Decays from 1 by the factor e every `seconds`: the usual envelope of struck sounds.
float decayFactor(float seconds);

} // namespace Music
