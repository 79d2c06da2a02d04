// The sound capture of the render mode: the channel processing callback copies every block of
// the channel being rendered into one bounded buffer and silences it, and the writers read the
// buffer by byte position from the start of their part, dropping what they have written.
#pragma once

#include "media/sound/SoundSystem.h"

#include <cstdint>
#include <mutex>
#include <vector>

class AudioCapture {
  public:
    // About 567 seconds of 44100 Hz 16-bit stereo waiting to be written; more stops capturing
    // with an error.
    static constexpr int64_t defaultCapacityBytes = 100'000'000;

    // Captures channels of sound (it registers its callback there).
    explicit AudioCapture(SoundSystem& sound, int64_t capacityBytes = defaultCapacityBytes);

    // The processing callback handed to the sound system (user: the AudioCapture).
    static void processBlock(SoundHandle channel, int16_t* samples, uint32_t lengthBytes, void* user);

    // Captures the blocks of channel from now on (blocks of any other channel are only
    // silenced) and registers the callback on it.
    void attach(SoundHandle channel);
    SoundHandle getChannel() const;

    // Copies a block of the attached channel to the write position; false (and nothing stored)
    // when the buffer cannot take it.
    bool append(SoundHandle channel, const uint8_t* block, uint32_t lengthBytes);
    // Starts over at position 0 with everything captured so far silenced.
    void reset();

    int64_t getWritePosition() const;
    // Bytes captured since the previous call.
    int64_t takeCapturedSinceWait();
    // True once a block was refused because the buffer was full.
    bool hasOverflowed() const;
    int64_t getCapacity() const { return capacity; }

    // Copies bytes from offset; whatever was never captured, or was dropped, reads as silence.
    void read(int64_t offset, uint8_t* destination, int64_t bytes) const;
    // Drops the bytes before offset, which have been written: the buffer holds only what still
    // waits, so a long part does not keep all its sound in memory.
    void discardBefore(int64_t offset);

  private:
    SoundSystem& sound;
    mutable std::mutex lock;
    std::vector<uint8_t> buffer; // bytes from position `base` on
    int64_t base = 0;
    int64_t capacity;
    int64_t writePosition = 0;
    int64_t capturedSinceWait = 0;
    SoundHandle channel = 0;
    bool overflowed = false;
};
