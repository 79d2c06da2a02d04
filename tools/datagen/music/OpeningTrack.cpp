// Piece one's opening: a drone in A minor, ticking hats at the main part's row rate (200 ms)
// growing louder under a rising sweep, and the hit at 3700 ms when the clip slides in.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Voices.h"
#include "platform/ShowRandom.h"

namespace Music::Tracks {

StereoBuffer opening() {
    ShowRandom::seed(0x0A11);
    const double hitMs = 3700.0;
    StereoBuffer mix(size_t(framesAt(4500.0)));
    mix.mix(Voices::pad(chordHz({45, 52, 57, 60}), 4.5f, 1.2f, 0.6f, 900.0f), 0, 0.35f, -0.2f);
    mix.mix(Voices::pad(chordHz({57, 64, 69}), 3.7f, 2.5f, 0.05f, 1500.0f, 11.0f), 0, 0.18f, 0.3f);
    mix.mix(Voices::riser(3.2f), framesAt(hitMs - 3200.0), 0.2f, 0.0f);

    Mono tick = Voices::hat(0.04f);
    for (int row = 2; row * 200.0 < hitMs; ++row) {
        float rise = float(row * 200.0 / hitMs);
        mix.mix(tick, framesAt(row * 200.0 + 20.0), 0.06f + 0.2f * rise * rise, row % 2 ? 0.35f : -0.35f);
    }
    Mono pulse = Voices::kick(50.0f, 0.35f);
    for (double beat = 800.0; beat < hitMs - 100.0; beat += 800.0)
        mix.mix(pulse, framesAt(beat + 20.0), 0.25f);

    // The hit: kick, crash, a chord stab, the bass and a shard of noise.
    long hit = framesAt(hitMs);
    mix.mix(Voices::kick(45.0f, 0.6f), hit, 1.0f);
    mix.mix(Voices::crash(1.8f), hit, 0.45f, 0.1f);
    mix.mix(Voices::stab(chordHz({57, 60, 64, 69}), 0.8f), hit, 0.5f, -0.1f);
    mix.mix(Voices::bass(noteHz(33), 0.8f, 400.0f), hit, 0.7f);
    mix.mix(Voices::glitch(0.12f, 0.5f), hit, 0.3f, 0.4f);
    Effects::reverb(mix, 1.6f, 0.35f);
    return mix;
}

} // namespace Music::Tracks
