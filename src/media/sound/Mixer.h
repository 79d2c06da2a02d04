// The channels of the sound system and their mix: each playing channel's block goes through
// its processing callback, then into the sum. Every operation takes the mixer's lock, so the
// audio thread and the show thread may call it at the same time.
#pragma once

#include "media/sound/AudioSource.h"
#include "media/sound/SoundSystem.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

class Mixer {
public:
    enum class Kind { Stream, Module };

    SoundHandle add(std::unique_ptr<AudioSource> source, Kind kind);
    bool play(SoundHandle handle, Kind kind);
    bool stop(SoundHandle handle);
    // A playing channel moved to sample frame `frame` of its source.
    bool seek(SoundHandle handle, int64_t frame);
    // While paused the mix is silence and no channel moves on.
    void setPaused(bool paused);
    bool setCallback(SoundHandle handle, SoundProcessingCallback callback, void* user);
    bool isActive(SoundHandle handle);
    // Fills out with the next frames of all playing channels (in handle order); returns
    // whether any channel still plays.
    bool mix(int16_t* out, int32_t frames);
    void clear();

private:
    struct Channel {
        std::unique_ptr<AudioSource> source;
        Kind kind;
        bool playing = false;
        SoundProcessingCallback callback = nullptr;
        void* user = nullptr;
    };

    std::mutex lock;
    std::map<SoundHandle, Channel> channels;
    SoundHandle nextHandle = 1;
    bool paused = false;
    std::vector<int16_t> block;
    std::vector<int32_t> sum;
};
