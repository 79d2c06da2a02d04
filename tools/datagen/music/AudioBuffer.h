// Stereo float audio at the music's sample rate, and the mixing operations the tracks are
// built from: placing a sound at a time, fading, scaling.
#pragma once

#include <cstddef>
#include <vector>

namespace Music {

constexpr int kSampleRate = 44100;

using Mono = std::vector<float>;

// Frame index of a time in milliseconds (rounded to the nearest frame).
long framesAt(double ms);

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    StereoBuffer() = default;
    explicit StereoBuffer(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t frames() const { return left.size(); }

    // Adds a mono sound whose first frame lands on `at`, with a gain and a pan from -1 (left)
    // to 1 (right), equal power; anything before frame 0 or past the end is dropped.
    void mix(const Mono& sound, long at, float gain, float pan = 0.0f);
    // Adds another stereo buffer starting at frame `at`.
    void mix(const StereoBuffer& other, long at, float gain);
    void scale(float gain);
    // Multiplies frames [from, to) by a gain ramp from g0 to g1, and every frame after by g1.
    void fade(long from, long to, float g0, float g1);
    // Multiplies frames [from, to) by a gain (a mute when 0).
    void gate(long from, long to, float gain);
    // The same, but the gain is reached and left over `ramp` frames at either end, so a
    // sustained sound dips without a click.
    void duck(long from, long to, float gain, long ramp);
};

} // namespace Music
