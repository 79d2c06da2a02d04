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
    // Moves to sample frame `frame` from the start, exactly; false when the source cannot. This
    // default decodes from the start and drops what lies before.
    virtual bool seek(int64_t frame) {
        if (!rewind()) return false;
        int16_t dropped[2 * 4096];
        while (frame > 0) {
            const int32_t wanted = int32_t(frame < 4096 ? frame : 4096);
            const int32_t got = read(dropped, wanted);
            if (got <= 0) return true; // the end: nothing more plays
            frame -= got;
        }
        return true;
    }
};
