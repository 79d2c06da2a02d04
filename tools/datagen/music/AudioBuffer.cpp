// Mixing operations on stereo float buffers.
#include "music/AudioBuffer.h"

#include <algorithm>
#include <cmath>

namespace Music {

long framesAt(double ms) {
    return std::lround(ms * kSampleRate / 1000.0);
}

void StereoBuffer::mix(const Mono& sound, long at, float gain, float pan) {
    float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.78539816f;
    float gl = gain * std::cos(angle) * 1.41421356f;
    float gr = gain * std::sin(angle) * 1.41421356f;
    long begin = std::max(0L, -at);
    long end = std::min(long(sound.size()), long(frames()) - at);
    for (long i = begin; i < end; ++i) {
        left[size_t(at + i)] += sound[size_t(i)] * gl;
        right[size_t(at + i)] += sound[size_t(i)] * gr;
    }
}

void StereoBuffer::mix(const StereoBuffer& other, long at, float gain) {
    long begin = std::max(0L, -at);
    long end = std::min(long(other.frames()), long(frames()) - at);
    for (long i = begin; i < end; ++i) {
        left[size_t(at + i)] += other.left[size_t(i)] * gain;
        right[size_t(at + i)] += other.right[size_t(i)] * gain;
    }
}

void StereoBuffer::scale(float gain) {
    gate(0, long(frames()), gain);
}

void StereoBuffer::fade(long from, long to, float g0, float g1) {
    long n = long(frames());
    for (long i = std::max(0L, from); i < n; ++i) {
        float g = g1;
        if (i < to) g = g0 + (g1 - g0) * float(i - from) / float(to - from);
        left[size_t(i)] *= g;
        right[size_t(i)] *= g;
    }
}

void StereoBuffer::gate(long from, long to, float gain) {
    long end = std::min(to, long(frames()));
    for (long i = std::max(0L, from); i < end; ++i) {
        left[size_t(i)] *= gain;
        right[size_t(i)] *= gain;
    }
}

void StereoBuffer::duck(long from, long to, float gain, long ramp) {
    long end = std::min(to, long(frames()));
    for (long i = std::max(0L, from); i < end; ++i) {
        long edge = std::min(i - from, to - 1 - i);
        float g = edge < ramp ? 1.0f + (gain - 1.0f) * float(edge) / float(ramp) : gain;
        left[size_t(i)] *= g;
        right[size_t(i)] *= g;
    }
}

} // namespace Music
