// The render mode's sound capture buffer: grown on demand up to its capacity, its written front
// dropped as the writers go.
#include "media/masters/AudioCapture.h"

#include <algorithm>
#include <cstring>

AudioCapture::AudioCapture(SoundSystem& sound_, int64_t capacityBytes) : sound(sound_), capacity(capacityBytes) {}

void AudioCapture::processBlock(SoundHandle channel, int16_t* samples, uint32_t lengthBytes, void* user) {
    auto* capture = static_cast<AudioCapture*>(user);
    if (capture && samples) capture->append(channel, reinterpret_cast<const uint8_t*>(samples), lengthBytes);
    // Nothing is heard while rendering.
    if (samples) std::memset(samples, 0, lengthBytes);
}

void AudioCapture::attach(SoundHandle newChannel) {
    {
        std::lock_guard<std::mutex> guard(lock);
        channel = newChannel;
    }
    if (newChannel != 0) sound.setProcessingCallback(newChannel, processBlock, this);
}

SoundHandle AudioCapture::getChannel() const {
    std::lock_guard<std::mutex> guard(lock);
    return channel;
}

bool AudioCapture::append(SoundHandle blockChannel, const uint8_t* block, uint32_t lengthBytes) {
    std::lock_guard<std::mutex> guard(lock);
    // A part's buffer holds its own channel only: the sound of an earlier part that is still
    // playing must not be mixed into it.
    if (blockChannel != channel) return true;
    if (lengthBytes <= 0) return true; // nothing to keep (and no buffer may exist yet)
    int64_t end = writePosition + lengthBytes;
    if (end - base > capacity) {
        overflowed = true;
        return false;
    }
    if (end - base > int64_t(buffer.size())) {
        // Grow geometrically; new bytes are zero, so unread gaps stay silent.
        int64_t grown = std::max<int64_t>(end - base, std::max<int64_t>(int64_t(buffer.size()) * 2, 1 << 20));
        buffer.resize(size_t(std::min(grown, capacity)));
    }
    std::memcpy(buffer.data() + (writePosition - base), block, lengthBytes);
    writePosition = end;
    capturedSinceWait += lengthBytes;
    return true;
}

void AudioCapture::reset() {
    std::lock_guard<std::mutex> guard(lock);
    // Everything written so far is silenced, so a part whose sound ends early never reads the
    // previous part's sound.
    std::fill(buffer.begin(), buffer.end(), uint8_t(0));
    base = 0;
    writePosition = 0;
    capturedSinceWait = 0;
    overflowed = false;
}

int64_t AudioCapture::getWritePosition() const {
    std::lock_guard<std::mutex> guard(lock);
    return writePosition;
}

int64_t AudioCapture::takeCapturedSinceWait() {
    std::lock_guard<std::mutex> guard(lock);
    int64_t captured = capturedSinceWait;
    capturedSinceWait = 0;
    return captured;
}

bool AudioCapture::hasOverflowed() const {
    std::lock_guard<std::mutex> guard(lock);
    return overflowed;
}

void AudioCapture::read(int64_t offset, uint8_t* destination, int64_t bytes) const {
    std::lock_guard<std::mutex> guard(lock);
    if (bytes <= 0) return;
    std::memset(destination, 0, size_t(bytes));
    // The part of [offset, offset + bytes) that the buffer still holds.
    const int64_t from = std::max(offset, base);
    const int64_t to = std::min(offset + bytes, base + int64_t(buffer.size()));
    if (from < to)
        std::memcpy(destination + (from - offset), buffer.data() + (from - base), size_t(to - from));
}

void AudioCapture::discardBefore(int64_t offset) {
    std::lock_guard<std::mutex> guard(lock);
    const int64_t drop = std::min(offset, writePosition) - base;
    // Dropped a megabyte at a time, so the bytes that still wait move rarely.
    if (drop < (1 << 20)) return;
    buffer.erase(buffer.begin(), buffer.begin() + std::min<int64_t>(drop, int64_t(buffer.size())));
    base += drop;
}
