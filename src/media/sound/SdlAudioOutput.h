// The live output of the sound system: an SDL audio device whose callback pulls the mix.
// Where no device can be opened it warns and falls back to SDL's dummy driver.
#pragma once

#include <cstdint>

class Mixer;

class SdlAudioOutput {
public:
    explicit SdlAudioOutput(Mixer& mixer) : mixer(mixer) {}
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    bool open();
    // Lets the device call for sound.
    void start();
    void close();

private:
    bool openDevice();

    Mixer& mixer;
    uint32_t device = 0;
    bool subsystemStarted = false;
};
