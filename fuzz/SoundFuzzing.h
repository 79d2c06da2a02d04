// Shared by the sound fuzz targets: arbitrary bytes as a stream or a module. One that is made
// must play offline to its end (or five seconds: enough to reach the decoders' every path while
// keeping thousands of inputs a minute) without fault; anything else is refused with 0.
#pragma once

#include "media/sound/SoundSystem.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

inline void playFuzzedSound(const uint8_t* data, size_t size, bool module) {
    static auto* system = new SoundSystem(); // one for the process, as the show has one
    SoundSystem& sound = *system;
    if (!sound.initialise(SoundOutput::Offline)) std::abort();
    std::vector<uint8_t> bytes(data, data + size); // a channel reads its block for as long as it lives
    SoundHandle channel = module ? sound.loadModule(bytes.data(), int64_t(bytes.size()))
                                 : sound.createStream(bytes.data(), int64_t(bytes.size()));
    if (channel != 0) {
        if (!(module ? sound.playModule(channel) : sound.playStream(channel))) std::abort();
        for (int block = 0; block < 50 && sound.renderOfflineBlock(4410); ++block) {
        }
        if (!sound.stop(channel)) std::abort();
    }
    sound.shutdown(); // frees the channel, so millions of inputs do not pile up
}
