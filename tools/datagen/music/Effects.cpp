// Echo and reverb on stereo float buffers.
#include "music/Effects.h"

#include "music/Filters.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Music::Effects {

void echo(StereoBuffer& buffer, float delayMs, float feedback, float wet) {
    size_t delay = size_t(framesAt(delayMs));
    if (delay == 0) return;
    std::vector<float> lineL(delay, 0.0f), lineR(delay, 0.0f);
    OnePoleLowpass darkL(3500.0f), darkR(3500.0f);
    size_t pos = 0;
    for (size_t i = 0; i < buffer.frames(); ++i) {
        float outL = lineL[pos], outR = lineR[pos];
        // Ping-pong: each side's echo feeds the other side's line.
        lineL[pos] = darkL.process(buffer.right[i] * wet + outR * feedback);
        lineR[pos] = darkR.process(buffer.left[i] * wet + outL * feedback);
        buffer.left[i] += outL;
        buffer.right[i] += outR;
        if (++pos == delay) pos = 0;
    }
}

namespace {

// Feedback comb with a lowpass in the loop, as in Schroeder/Moorer reverbs.
class DampedComb {
  public:
    DampedComb(size_t length, float feedback) : line(length, 0.0f), feedback(feedback) {}
    float process(float x) {
        float y = line[pos];
        filtered = y * 0.7f + filtered * 0.3f;
        line[pos] = x + filtered * feedback;
        if (++pos == line.size()) pos = 0;
        return y;
    }

  private:
    std::vector<float> line;
    float feedback;
    float filtered = 0.0f;
    size_t pos = 0;
};

class Allpass {
  public:
    explicit Allpass(size_t length) : line(length, 0.0f) {}
    float process(float x) {
        float y = line[pos];
        line[pos] = x + y * 0.5f;
        if (++pos == line.size()) pos = 0;
        return y - x * 0.5f;
    }

  private:
    std::vector<float> line;
    size_t pos = 0;
};

} // namespace

void reverb(StereoBuffer& buffer, float seconds, float wet) {
    const size_t combLengths[4] = {1557, 1617, 1491, 1422};
    const size_t allpassLengths[2] = {556, 441};
    const size_t stereoSpread = 23;
    std::vector<DampedComb> combsL, combsR;
    for (size_t length : combLengths) {
        // Feedback so that the loop falls 60 dB in `seconds`.
        float g = std::pow(10.0f, -3.0f * float(length) / (seconds * float(kSampleRate)));
        combsL.emplace_back(length, g);
        combsR.emplace_back(length + stereoSpread, g);
    }
    std::vector<Allpass> allpassL, allpassR;
    for (size_t length : allpassLengths) {
        allpassL.emplace_back(length);
        allpassR.emplace_back(length + stereoSpread);
    }
    for (size_t i = 0; i < buffer.frames(); ++i) {
        float in = (buffer.left[i] + buffer.right[i]) * 0.5f;
        float l = 0.0f, r = 0.0f;
        for (size_t c = 0; c < 4; ++c) {
            l += combsL[c].process(in);
            r += combsR[c].process(in);
        }
        for (size_t a = 0; a < 2; ++a) {
            l = allpassL[a].process(l);
            r = allpassR[a].process(r);
        }
        buffer.left[i] += l * wet * 0.25f;
        buffer.right[i] += r * wet * 0.25f;
    }
}

void stutter(StereoBuffer& buffer, double startMs, double endMs, double sliceMs) {
    long start = framesAt(startMs), end = std::min(framesAt(endMs), long(buffer.frames()));
    long slice = framesAt(sliceMs), ramp = framesAt(2.0);
    if (start < 0 || slice < 2 * ramp || end - start <= slice) return;
    std::vector<float> left(buffer.left.begin() + start, buffer.left.begin() + start + slice);
    std::vector<float> right(buffer.right.begin() + start, buffer.right.begin() + start + slice);
    // Each repeat (the first one's start excepted, which continues the music before it) and the
    // window's end fade, and the music after the window fades back in.
    for (long i = start; i < std::min(end + ramp, long(buffer.frames())); ++i) {
        if (i >= end) {
            float gain = float(i - end) / float(ramp);
            buffer.left[size_t(i)] *= gain;
            buffer.right[size_t(i)] *= gain;
            continue;
        }
        long offset = (i - start) % slice;
        float gain = 1.0f;
        if (offset < ramp && i - start >= ramp) gain = float(offset) / float(ramp);
        if (slice - offset < ramp) gain = float(slice - offset) / float(ramp);
        if (end - i < ramp) gain = std::min(gain, float(end - i) / float(ramp));
        buffer.left[size_t(i)] = left[size_t(offset)] * gain;
        buffer.right[size_t(i)] = right[size_t(offset)] * gain;
    }
}

} // namespace Music::Effects
