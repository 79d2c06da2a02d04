// Loudness normalisation and a static soft limiter.
#include "music/Mastering.h"

#include "music/Loudness.h"

#include <cmath>

namespace Music {

namespace {

void softLimit(std::vector<float>& channel, float ceiling) {
    const float knee = ceiling * 0.6f;
    const float room = ceiling - knee;
    for (float& x : channel) {
        float a = std::fabs(x);
        if (a <= knee) continue;
        float bent = knee + room * std::tanh((a - knee) / room);
        x = x < 0.0f ? -bent : bent;
    }
}

} // namespace

void master(StereoBuffer& buffer, double targetLufs, double ceilingDb) {
    float ceiling = float(std::pow(10.0, ceilingDb / 20.0));
    // The limiter lowers the loudness a little, so level and limit until it settles.
    for (int pass = 0; pass < 3; ++pass) {
        double loudness = Loudness::integrated(buffer);
        if (loudness <= Loudness::kSilence) return;
        buffer.scale(float(std::pow(10.0, (targetLufs - loudness) / 20.0)));
        softLimit(buffer.left, ceiling);
        softLimit(buffer.right, ceiling);
    }
}

} // namespace Music
