// Channel bookkeeping and mixing of the sound system.
#include "media/sound/Mixer.h"

#include <algorithm>

SoundHandle Mixer::add(std::unique_ptr<AudioSource> source, Kind kind) {
    if (!source) return 0;
    std::lock_guard<std::mutex> guard(lock);
    SoundHandle handle = nextHandle++;
    if (nextHandle == 0) nextHandle = 1;
    channels[handle] = Channel{std::move(source), kind};
    return handle;
}

bool Mixer::play(SoundHandle handle, Kind kind) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = channels.find(handle);
    if (found == channels.end() || found->second.kind != kind) return false;
    if (!found->second.source->rewind()) return false;
    found->second.playing = true;
    return true;
}

bool Mixer::stop(SoundHandle handle) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = channels.find(handle);
    if (found == channels.end()) return false;
    found->second.playing = false;
    return true;
}

bool Mixer::seek(SoundHandle handle, int64_t frame) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = channels.find(handle);
    if (found == channels.end() || !found->second.playing) return false;
    return found->second.source->seek(frame);
}

void Mixer::setPaused(bool pause) {
    std::lock_guard<std::mutex> guard(lock);
    paused = pause;
}

bool Mixer::setCallback(SoundHandle handle, SoundProcessingCallback callback, void* user) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = channels.find(handle);
    if (found == channels.end()) return false;
    found->second.callback = callback;
    found->second.user = user;
    return true;
}

bool Mixer::isActive(SoundHandle handle) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = channels.find(handle);
    return found != channels.end() && found->second.playing;
}

bool Mixer::mix(int16_t* out, int32_t frames) {
    std::lock_guard<std::mutex> guard(lock);
    if (frames <= 0) return false;
    const size_t samples = size_t(frames) * 2;
    if (block.size() < samples) block.resize(samples);
    sum.assign(samples, 0);
    bool anyPlaying = false;
    if (paused) {
        if (out) std::fill(out, out + samples, int16_t(0));
        for (auto& each : channels)
            anyPlaying = anyPlaying || each.second.playing;
        return anyPlaying;
    }
    for (auto& [handle, channel] : channels) {
        if (!channel.playing) continue;
        int32_t produced = channel.source->read(block.data(), frames);
        if (produced < frames) channel.playing = false; // the end: modules and streams play once
        if (produced <= 0) continue;
        if (channel.callback) channel.callback(handle, block.data(), uint32_t(produced) * 4, channel.user);
        for (size_t i = 0; i < size_t(produced) * 2; ++i)
            sum[i] += block[i];
        anyPlaying = anyPlaying || channel.playing;
    }
    if (out)
        for (size_t i = 0; i < samples; ++i)
            out[i] = int16_t(std::clamp(sum[i], -32768, 32767));
    return anyPlaying;
}

void Mixer::clear() {
    std::lock_guard<std::mutex> guard(lock);
    channels.clear();
}
