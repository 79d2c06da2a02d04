// A decoder the mixer pulls sound from: 44100 Hz, 16-bit, interleaved stereo.
#pragma once

#include <cstdint>

class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Writes up to frames sample frames to out; fewer (down to 0) only at the end.
    virtual int32_t read(int16_t* out, int32_t frames) = 0;
    // Goes back to the start; false when the source cannot.
    virtual bool rewind() = 0;
};
