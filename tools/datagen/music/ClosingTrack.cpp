// Piece one's closing: the A minor progression of the main part slowed to a chord every bar
// of 3.2 s over a soft heartbeat, and a burst of broken noise in each glitch window of the
// picture, rougher each time; the last burst ends at 14000 ms and the music fades out.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Voices.h"
#include "pieces/one/BeatTables.h"
#include "platform/ShowRandom.h"

#include <algorithm>

namespace Music::Tracks {

StereoBuffer closing() {
    ShowRandom::seed(0x0E4D);
    const double lastBurstEnd = 14000.0, endMs = 16000.0;
    StereoBuffer mix(size_t(framesAt(endMs)));
    const std::vector<int> chords[5] = {
        {45, 57, 60, 64}, {41, 57, 60, 65}, {38, 57, 62, 65}, {40, 56, 59, 64}, {45, 57, 60, 64}};
    for (int bar = 0; bar < 5; ++bar) {
        float length = bar == 4 ? 3.2f : 3.4f;
        mix.mix(Voices::pad(chordHz(chords[bar]), length, 0.5f, 0.4f, 1100.0f), framesAt(bar * 3200.0), 0.3f,
                bar % 2 ? 0.2f : -0.2f);
        mix.mix(Voices::bass(noteHz(chords[bar][0]), 3.0f, 300.0f), framesAt(bar * 3200.0), 0.35f);
    }
    Mono heart = Voices::kick(48.0f, 0.4f);
    for (double beat = 0.0; beat < lastBurstEnd; beat += 800.0)
        mix.mix(heart, framesAt(beat + 20.0), 0.35f);
    const int melody[8] = {76, 72, 69, 71, 72, 69, 65, 64};
    for (int i = 0; i < 8; ++i)
        mix.mix(Voices::bell(noteHz(melody[i]), 1.5f), framesAt(800.0 + i * 1600.0), 0.12f,
                i % 2 ? 0.5f : -0.5f);

    // Glitch windows come as start, end pairs; the table ends with an entry never reached.
    const int32_t* table = BeatTables::glitchTable;
    for (int i = 0; i + 1 < BeatTables::glitchTableCount; i += 2) {
        double start = table[i], end = std::min(double(table[i + 1]), lastBurstEnd);
        float roughness = 0.3f + 0.1f * float(i / 2);
        mix.mix(Voices::glitch(float(end - start) / 1000.0f, roughness), framesAt(start), 0.9f, 0.0f);
        mix.mix(Voices::snare(160.0f, 0.25f), framesAt(start), 0.4f, 0.2f);
    }
    Effects::echo(mix, 600.0f, 0.35f, 0.25f);
    Effects::reverb(mix, 2.2f, 0.4f);
    mix.fade(framesAt(lastBurstEnd), framesAt(endMs), 1.0f, 0.0f);
    return mix;
}

} // namespace Music::Tracks
