// Piece three's music: slow and spacious, D minor at 80 BPM with the beat on 429 ms, where the
// first photograph appears; a chime for every photograph. Its sections change where the
// picture's noise floor changes: the beat enters at 6888 ms, the backbeat at 24000, accents at
// 32931-35038, the melody from 35038, a breakdown at 48030 with accents, near stillness at
// 56888, and from 59998 everything returns and grows to the end.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Voices.h"
#include "platform/ShowRandom.h"

namespace Music::Tracks {

namespace {

constexpr double kEndMs = 107000.0;
const BeatGrid kGrid{429.0, 750.0};

const double kPhotographs[] = {429,   1927,  3424,  4928,  6431,  10924, 21426, 33430,
                               43926, 45429, 46927, 48431, 52918, 55931, 58932};
// The noise floor's changes, each marked by a low boom, a bell and a cymbal.
const double kAccents[] = {6888,  24000, 24346, 32931, 33000, 33488, 33854, 35038, 48030,
                           51455, 51966, 53487, 53725, 55298, 56888, 59042, 59998};

// Dm9, Bbmaj7, Fmaj7, C(add9): two bars each (six seconds).
const std::vector<int> kChords[4] = {
    {50, 57, 60, 64, 65}, {46, 57, 62, 65, 69}, {41, 57, 60, 64, 69}, {48, 55, 62, 64, 67}};
const int kRoots[4] = {38, 34, 41, 36};
const int kMelody[8] = {69, 72, 74, 72, 77, 76, 72, 69};

enum class Section { Intro, Beat, Backbeat, Melody, Breakdown, Still, Finale };

Section sectionAt(double ms) {
    if (ms < 6888) return Section::Intro;
    if (ms < 24000) return Section::Beat;
    if (ms < 35038) return Section::Backbeat;
    if (ms < 48030) return Section::Melody;
    if (ms < 56888) return Section::Breakdown;
    if (ms < 59998) return Section::Still;
    return Section::Finale;
}

bool drumsIn(Section s) {
    return s == Section::Beat || s == Section::Backbeat || s == Section::Melody || s == Section::Finale;
}

} // namespace

StereoBuffer drift() {
    ShowRandom::seed(0xD21F7);
    size_t frames = size_t(framesAt(kEndMs));
    StereoBuffer mix(frames), wet(frames), pads(frames), bass(frames);
    Mono kick = Voices::kick(44.0f, 0.6f), rim = Voices::snare(320.0f, 0.2f), shaker = Voices::hat(0.12f);

    // Chords every two bars with the bass under them, brighter in the finale.
    for (int bar = 0; kGrid.ms(bar * 4.0) < kEndMs; bar += 2) {
        double b0 = bar * 4.0;
        int chord = (bar / 2) % 4;
        Section s = sectionAt(kGrid.ms(b0));
        float cutoff = s == Section::Finale ? 1800.0f : 1100.0f;
        long at = bar == 0 ? 0 : kGrid.frame(b0);
        pads.mix(Voices::pad(chordHz(kChords[chord]), 6.6f, 1.2f, 1.0f, cutoff), at, 0.32f,
                 bar % 4 ? 0.3f : -0.3f);
        if (s != Section::Intro && s != Section::Still)
            bass.mix(Voices::bass(noteHz(kRoots[chord]), 5.6f, 220.0f), kGrid.frame(b0), 0.45f);
    }
    // The bass drops out for the still section and the chords fall back, until the finale.
    long stillFrom = framesAt(56888.0), stillTo = framesAt(59998.0);
    bass.duck(stillFrom, stillTo, 0.0f, framesAt(30.0));
    pads.duck(stillFrom, stillTo, 0.3f, framesAt(400.0));
    mix.mix(bass, 0, 1.0f);
    wet.mix(pads, 0, 1.0f);
    // Drums on the beat grid.
    for (int beat = 0; kGrid.ms(beat) < kEndMs - 500.0; ++beat) {
        Section s = sectionAt(kGrid.ms(beat));
        if (!drumsIn(s)) continue;
        float grow =
            s == Section::Finale ? float(0.6 + 0.4 * (kGrid.ms(beat) - 59998.0) / (kEndMs - 59998.0)) : 0.8f;
        if (beat % 4 == 0 || (beat % 4 == 2 && s != Section::Beat))
            mix.mix(kick, kGrid.frame(beat), 0.8f * grow);
        if (beat % 4 == 2 && s != Section::Beat) wet.mix(rim, kGrid.frame(beat), 0.35f * grow, 0.2f);
        mix.mix(shaker, kGrid.frame(beat + 0.5), 0.18f * grow, -0.4f);
        if (s == Section::Melody || s == Section::Finale)
            mix.mix(shaker, kGrid.frame(beat + 0.75), 0.1f * grow, 0.4f);
    }
    // The melody, a note a beat, over its section and the finale.
    for (int beat = 0; kGrid.ms(beat) < kEndMs - 1500.0; beat += 2) {
        Section s = sectionAt(kGrid.ms(beat));
        if (s != Section::Melody && s != Section::Finale) continue;
        int note = kMelody[(beat / 2) % 8] + ((beat / 16) % 2 ? -5 : 0);
        wet.mix(Voices::lead(noteHz(note), 1.3f), kGrid.frame(beat), 0.2f, 0.15f);
    }
    for (size_t i = 0; i < std::size(kPhotographs); ++i)
        wet.mix(Voices::bell(noteHz(kMelody[i % 8] + 12), 2.5f), framesAt(kPhotographs[i]), 0.2f,
                i % 2 ? 0.6f : -0.6f);
    for (double at : kAccents) {
        // Softly where the music goes still.
        float level = sectionAt(at) == Section::Still ? 0.4f : 1.0f;
        mix.mix(Voices::kick(38.0f, 0.9f), framesAt(at), 0.7f * level);
        wet.mix(Voices::bell(noteHz(62), 3.0f), framesAt(at), 0.22f * level);
        wet.mix(Voices::crash(1.5f), framesAt(at), 0.15f * level);
    }
    wet.mix(Voices::riser(3.4f), framesAt(51455.0 - 3400.0), 0.25f); // into the accent at 51455
    Effects::echo(wet, 562.5f, 0.45f, 0.3f);
    Effects::reverb(wet, 3.5f, 0.5f);
    mix.mix(wet, 0, 1.0f);
    mix.fade(framesAt(kEndMs - 2500.0), framesAt(kEndMs), 1.0f, 0.0f);
    return mix;
}

} // namespace Music::Tracks
