// The show's sound system: MPEG audio streams and a tracker module held in memory, mixed to
// 44100 Hz 16-bit stereo, played live on the audio device or rendered block by block on demand.
#pragma once

#include <cstdint>
#include <string>
#include <memory>

// A channel: a stream or a module. 0 is never a valid handle.
using SoundHandle = uint32_t;

// Sees every block a channel produces, before it is mixed, and may change it in place.
// samples: interleaved 16-bit stereo; lengthBytes: 4 bytes per sample frame (the last block of
// a channel may be short). Runs on the audio thread live, under the mixer's lock: it must not
// call the sound system.
using SoundProcessingCallback = void (*)(SoundHandle channel, int16_t* samples, uint32_t lengthBytes,
                                         void* user);

enum class SoundOutput {
    Live,    // an audio device (SDL's dummy driver when no device exists)
    Offline, // no device: the caller pulls blocks with renderOfflineBlock
};

class SoundSystem {
public:
    static constexpr int32_t sampleRate = 44100;
    static constexpr int32_t channelCount = 2;
    static constexpr int32_t bytesPerFrame = 4;

    // The shell makes one and keeps it until the process ends (the audio thread may still run
    // while the process exits).
    SoundSystem();
    ~SoundSystem();

    // Opens the output. False when already initialised or the output cannot be opened at all.
    bool initialise(SoundOutput output);
    // Closes the output and frees every channel (handles become invalid); tests use it to switch modes.
    void shutdown();
    bool isInitialised() const;
    SoundOutput getOutput() const;

    // A memory block the caller keeps valid while the channel exists. 0 when the block is not
    // audio of that kind (null, negative or zero size, garbage, truncated); getLastError then
    // says why.
    SoundHandle createStream(const void* data, int64_t size);
    SoundHandle loadModule(const void* data, int64_t size);
    // The decoder's or output's text for the last failure of createStream, loadModule or
    // initialise.
    const std::string& getLastError() const;

    // Lets the live output run (channels that play before it are mixed from then on).
    bool start();
    // Plays the channel from its start; false for an unknown handle.
    bool playStream(SoundHandle stream);
    bool playModule(SoundHandle module);
    // Stops a channel; succeeds for every known channel, also one that never played.
    bool stop(SoundHandle channel);
    // Moves a playing channel to sample frame `frame` of its sound (exactly, as far as its
    // decoder can); false for a channel that does not play.
    bool seek(SoundHandle channel, int64_t frame);
    // Holds every channel where it is (the output plays silence) until unpaused.
    void setPaused(bool paused);
    // One callback per channel (a later call replaces it); null removes it.
    bool setProcessingCallback(SoundHandle channel, SoundProcessingCallback callback, void* user);
    // True while the channel plays; false once it reached its end, was stopped or never played.
    bool isActive(SoundHandle channel);

    // Offline output: produces the next `frames` sample frames of every playing channel (each
    // channel's block goes through its callback) and, when mix is given, writes the sum there
    // (frames x 2 samples). Returns whether any channel still plays afterwards.
    bool renderOfflineBlock(int32_t frames, int16_t* mix = nullptr);

    struct State;

private:
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    std::unique_ptr<State> state;
};
