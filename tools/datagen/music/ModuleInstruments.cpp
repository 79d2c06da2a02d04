// Sample synthesis for the module's instruments. Looped tones are built additively over exactly
// one second, with every partial a whole number of cycles, so the loop joins without a click.
#include "music/ModuleInstruments.h"

#include "music/Filters.h"
#include "music/Voices.h"
#include "platform/ShowRandom.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace Music::ModuleInstruments {

namespace {

// Partials of sawtooths at whole-number frequencies (Hz) over one second; `weight` shapes the
// spectrum by partial frequency (the tone's filter).
Mono periodicSaws(const std::vector<int>& hz, const std::function<float(float)>& weight) {
    std::vector<float> sine(kSampleRate);
    for (int i = 0; i < kSampleRate; ++i)
        sine[size_t(i)] = float(std::sin(6.283185307179586 * i / kSampleRate));
    Mono out(kSampleRate, 0.0f);
    int phaseOffset = 0;
    for (int f : hz) {
        for (int k = 1; k * f < 12000; ++k) {
            float a = weight(float(k * f)) / float(k);
            long step = long(k) * f;
            long index = long(phaseOffset) * k % kSampleRate;
            for (int i = 0; i < kSampleRate; ++i) {
                out[size_t(i)] += a * sine[size_t(index)];
                index += step;
                if (index >= kSampleRate) index %= kSampleRate;
            }
        }
        phaseOffset += 7919; // spread the voices' phases so their sum has no spike
    }
    return out;
}

std::vector<int16_t> toPcm(const Mono& sound, float gain) {
    float peak = 1e-9f;
    for (float v : sound)
        peak = std::max(peak, std::fabs(v));
    float scale = 32767.0f * gain / peak;
    std::vector<int16_t> pcm(sound.size());
    for (size_t i = 0; i < sound.size(); ++i)
        pcm[i] = int16_t(std::lround(std::clamp(sound[i] * scale, -32767.0f, 32767.0f)));
    return pcm;
}

Xm::Instrument oneShot(const char* name, const Mono& sound, float gain, uint8_t volume, uint8_t panning) {
    Xm::Instrument instrument;
    instrument.name = name;
    instrument.sample.data = toPcm(sound, gain);
    instrument.sample.volume = volume;
    instrument.sample.panning = panning;
    Xm::tune(instrument.sample, kSampleRate, 1.0, 1.0);
    return instrument;
}

Xm::Instrument looped(const char* name, const Mono& sound, double sampleHz, float gain, uint8_t volume,
                      std::vector<Xm::EnvelopePoint> envelope, int sustain, uint16_t fadeout) {
    Xm::Instrument instrument;
    instrument.name = name;
    instrument.sample.data = toPcm(sound, gain);
    instrument.sample.loop = true;
    instrument.sample.loopStart = 0;
    instrument.sample.loopLength = uint32_t(sound.size());
    instrument.sample.volume = volume;
    Xm::tune(instrument.sample, kSampleRate, sampleHz, noteHz(60));
    instrument.volumeEnvelope = std::move(envelope);
    instrument.sustainPoint = sustain;
    instrument.fadeout = fadeout;
    return instrument;
}

} // namespace

uint8_t noteFor(int midiNote) {
    return uint8_t(std::clamp(midiNote - 11, 1, 96));
}

std::vector<Xm::Instrument> build(float gain) {
    ShowRandom::seed(0x0B40CE);
    std::vector<Xm::Instrument> list;
    list.push_back(oneShot("kick", Voices::kick(46.0f, 0.45f), gain, 64, 128));
    list.push_back(oneShot("snare", Voices::snare(185.0f, 0.3f), gain, 50, 120));
    list.push_back(oneShot("shaker", Voices::hat(0.09f), gain, 24, 160));
    list.push_back(oneShot("hat", Voices::hat(0.05f), gain, 30, 96));
    list.push_back(oneShot("glitch", Voices::glitch(0.14f, 0.6f), gain, 30, 140));
    list.push_back(oneShot("crash", Voices::crash(2.4f), gain, 40, 128));
    list.push_back(oneShot("riser", Voices::riser(3.2f), gain, 34, 128));

    // Envelope points count the module's ticks of about 14 ms; each envelope holds at its sustain
    // point until the note is released.
    // Bass: a sawtooth at 55 Hz darkened above 600 Hz, with a sine at its fundamental for weight.
    Mono bass = periodicSaws({55}, [](float f) { return 1.0f / (1.0f + (f / 600.0f) * (f / 600.0f)); });
    for (size_t i = 0; i < bass.size(); ++i)
        bass[i] += 0.8f * float(std::sin(6.283185307179586 * 55.0 * double(i) / kSampleRate));
    list.push_back(looped("bass", bass, 55.0, gain, 48, {{0, 64}, {3, 56}, {40, 44}, {48, 0}}, 2, 0));

    // Pad: three sawtooths 1 Hz apart beating slowly, soft above 1.8 kHz; it swells in over
    // 0.45 s from a third of its level, so a new chord each bar dips only a little.
    Mono pad =
        periodicSaws({219, 220, 221}, [](float f) { return 1.0f / (1.0f + (f / 1800.0f) * (f / 1800.0f)); });
    list.push_back(looped("pad", pad, 220.0, gain, 20, {{0, 24}, {32, 64}, {120, 0}}, 1, 0));

    Mono lead =
        periodicSaws({440, 442}, [](float f) { return 1.0f / (1.0f + (f / 3200.0f) * (f / 3200.0f)); });
    list.push_back(looped("lead", lead, 441.0, gain, 28, {{0, 0}, {2, 64}, {12, 44}, {30, 0}}, 2, 0));

    // The bell is recorded at middle C, so played at its own rate on C-4 like the drums.
    list.push_back(oneShot("bell", Voices::bell(noteHz(60), 1.2f), gain, 18, 150));
    list.push_back(oneShot("crackle", Voices::glitch(0.1f, 1.0f), gain, 26, 110));
    return list;
}

} // namespace Music::ModuleInstruments
