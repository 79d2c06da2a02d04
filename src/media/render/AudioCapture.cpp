// The render mode's sound capture buffer, grown on demand up to its capacity.
#include "media/render/AudioCapture.h"

#include <algorithm>
#include <cstring>

AudioCapture& AudioCapture::instance() {
    static AudioCapture capture;
    return capture;
}

AudioCapture::AudioCapture(int64_t capacityBytes) : capacity(capacityBytes) {}

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
    if (newChannel != 0) SoundSystem::instance().setProcessingCallback(newChannel, processBlock, this);
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
    if (end > capacity) {
        overflowed = true;
        return false;
    }
    if (end > int64_t(buffer.size())) {
        // Grow geometrically; new bytes are zero, so unread gaps stay silent.
        int64_t grown = std::max<int64_t>(end, std::max<int64_t>(int64_t(buffer.size()) * 2, 1 << 20));
        buffer.resize(size_t(std::min(grown, capacity)));
    }
    std::memcpy(buffer.data() + writePosition, block, lengthBytes);
    writePosition = end;
    capturedSinceWait += lengthBytes;
    return true;
}

void AudioCapture::reset() {
    std::lock_guard<std::mutex> guard(lock);
    // Everything written so far is silenced, so a part whose sound ends early never reads the
    // previous part's sound.
    std::fill(buffer.begin(), buffer.end(), uint8_t(0));
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
    int64_t available = std::clamp<int64_t>(int64_t(buffer.size()) - offset, 0, bytes);
    if (offset < 0) available = 0;
    if (available > 0) std::memcpy(destination, buffer.data() + offset, size_t(available));
    std::memset(destination + available, 0, size_t(bytes - available));
}

uint8_t* AudioCapture::data() {
    std::lock_guard<std::mutex> guard(lock);
    return buffer.data();
}
