// Piece two's music, in E minor at about 120 BPM: chord stabs on the picture's first flashes,
// a groove from 6388 ms whose bar grid puts a downbeat on 66171 ms, where a louder section
// begins; stutters in the picture's loop windows; a stuttering break from 92197 to 92821 ms
// with a stab in each flash; the groove again, and a fade to nothing between 130000 and
// 140000 ms.
#include "music/Tracks.h"

#include "music/Effects.h"
#include "music/Voices.h"
#include "platform/ShowRandom.h"

#include <algorithm>

namespace Music::Tracks {

namespace {

constexpr double kGrooveStartMs = 6388.0;
constexpr double kLoudStartMs = 66171.0;
constexpr double kBreakStartMs = 92197.0, kBreakEndMs = 92821.0;
constexpr double kFadeStartMs = 130000.0, kFadeEndMs = 140000.0;
constexpr double kEndMs = 151000.0;
// 30 bars of four beats from the groove's start to the louder section.
const BeatGrid kGrid{kGrooveStartMs, (kLoudStartMs - kGrooveStartMs) / 120.0};

// The flashes of the picture: the times at which the clips become visible.
const double kIntroFlashes[] = {764, 3017, 4022, 4489, 5290, 5469, 5977, 6267, 6309};
const double kBreakFlashes[][2] = {{92287, 92325}, {92368, 92395}, {92421, 92464}, {92482, 92508},
                                   {92528, 92569}, {92618, 92702}, {92743, 92763}};

// The picture's loop windows (start, end, loop length in ms): the music stutters with them.
const double kLoopWindows[][3] = {{9575, 10186, 220},    {13310, 13978, 233},   {25660, 26116, 200},
                                  {26128, 26615, 160},   {70298, 70780, 300},   {71662, 72418, 300},
                                  {107980, 108910, 359}, {108913, 109876, 197}, {109923, 110910, 150},
                                  {110921, 111885, 243}, {111890, 112930, 195}};

const std::vector<int> kChords[4] = {{52, 59, 64, 67}, {48, 55, 60, 64}, {43, 55, 59, 62}, {50, 54, 57, 62}};
const int kRoots[4] = {40, 36, 43, 38};
const int kMelody[16] = {76, 74, 71, 74, 72, 71, 67, 69, 71, 74, 79, 78, 74, 71, 69, 66};

struct Kit {
    Mono kick = Voices::kick(50.0f, 0.4f);
    Mono clap = Voices::clap();
    Mono closedHat = Voices::hat(0.05f);
    Mono openHat = Voices::hat(0.3f);
    Mono crash = Voices::crash(2.0f);
};

void intro(StereoBuffer& mix) {
    mix.mix(Voices::pad(chordHz({40, 52, 59, 64}), float(kGrooveStartMs / 1000.0) + 0.4f, 0.8f, 0.3f, 700.0f),
            0, 0.35f);
    for (double at : kIntroFlashes) {
        mix.mix(Voices::stab(chordHz({52, 59, 64, 67, 71}), 0.5f), framesAt(at), 0.55f, -0.15f);
        mix.mix(Voices::glitch(0.06f, 0.4f), framesAt(at), 0.3f, 0.3f);
        mix.mix(Voices::kick(55.0f, 0.3f), framesAt(at), 0.5f);
    }
}

void groove(StereoBuffer& drums, StereoBuffer& music, const Kit& kit) {
    int bars = int((kFadeEndMs - kGrooveStartMs) / (4.0 * kGrid.beatMs)) + 1;
    for (int bar = 0; bar < bars; ++bar) {
        double b0 = bar * 4.0;
        bool loud = kGrid.ms(b0) >= kLoudStartMs - 1.0 && kGrid.ms(b0) < kBreakStartMs;
        bool second = bar >= 16;
        int chord = bar % 4;
        music.mix(Voices::pad(chordHz(kChords[chord]), float(4.0 * kGrid.beatMs / 1000.0) + 0.3f, 0.25f, 0.3f,
                              loud ? 2400.0f : 1300.0f),
                  kGrid.frame(b0), loud ? 0.3f : 0.25f, bar % 2 ? 0.25f : -0.25f);
        for (int beat = 0; beat < 4; ++beat) {
            drums.mix(kit.kick, kGrid.frame(b0 + beat), 0.9f);
            drums.mix(kit.closedHat, kGrid.frame(b0 + beat + 0.5), 0.35f, 0.3f);
            if ((second || loud) && beat % 2 == 1) drums.mix(kit.clap, kGrid.frame(b0 + beat), 0.55f, -0.1f);
            if (loud) {
                drums.mix(kit.closedHat, kGrid.frame(b0 + beat + 0.25), 0.18f, -0.3f);
                drums.mix(kit.closedHat, kGrid.frame(b0 + beat + 0.75), 0.18f, -0.3f);
            }
            if (second && beat == 3) drums.mix(kit.openHat, kGrid.frame(b0 + beat + 0.5), 0.3f, 0.4f);
        }
        // Bass in eighths on the root, the last two an octave up.
        for (int e = 0; e < 8; ++e) {
            int note = kRoots[chord] + (e >= 6 ? 12 : 0);
            music.mix(Voices::bass(noteHz(note), float(kGrid.beatMs / 2000.0) * 0.9f, loud ? 700.0f : 450.0f),
                      kGrid.frame(b0 + e * 0.5), 0.5f);
        }
        // Plucked arpeggio in sixteenths from the second half of the first section on.
        if (bar >= 8) {
            for (int s = 0; s < 16; ++s) {
                const int order[4] = {1, 2, 3, 2};
                int tone = kChords[chord][order[s % 4]] + (s >= 8 ? 24 : 12);
                music.mix(Voices::pluck(noteHz(tone), 0.35f, loud ? 0.8f : 0.5f), kGrid.frame(b0 + s * 0.25),
                          s % 4 == 0 ? 0.3f : 0.18f, s % 2 ? 0.5f : -0.5f);
            }
        }
        // The lead sings over the louder section and the last one.
        bool leadBar = loud || (kGrid.ms(b0) > kBreakEndMs + 4000.0 && kGrid.ms(b0) < 127500.0);
        if (leadBar) {
            for (int n = 0; n < 4; ++n) {
                int note = kMelody[(bar % 4) * 4 + n];
                music.mix(Voices::lead(noteHz(note), float(kGrid.beatMs / 1000.0) * 0.95f),
                          kGrid.frame(b0 + n), 0.22f, 0.1f);
            }
        }
        if (bar % 8 == 0 || std::abs(kGrid.ms(b0) - kLoudStartMs) < 1.0)
            drums.mix(kit.crash, kGrid.frame(b0), 0.35f);
    }
}

} // namespace

StereoBuffer montage() {
    ShowRandom::seed(0xC014);
    size_t frames = size_t(framesAt(kEndMs));
    StereoBuffer mix(frames), drums(frames), music(frames);
    Kit kit;
    intro(mix);
    groove(drums, music, kit);
    Effects::echo(music, float(kGrid.beatMs * 0.75), 0.3f, 0.2f);
    Effects::reverb(music, 1.8f, 0.3f);

    // Everything before the groove belongs to the intro; the louder section is louder.
    long grooveStart = framesAt(kGrooveStartMs - 10.0), loudStart = framesAt(kLoudStartMs - 10.0);
    drums.gate(0, grooveStart, 0.0f);
    music.gate(0, grooveStart, 0.0f);
    drums.gate(loudStart, framesAt(kBreakStartMs), 1.3f);
    music.gate(loudStart, framesAt(kBreakStartMs), 1.3f);
    // The break: the groove stops dead, and only the flashes sound.
    drums.gate(framesAt(kBreakStartMs), framesAt(kBreakEndMs), 0.0f);
    music.gate(framesAt(kBreakStartMs), framesAt(kBreakEndMs), 0.05f);
    mix.mix(drums, 0, 1.0f);
    mix.mix(music, 0, 1.0f);
    for (const auto& flash : kBreakFlashes) {
        float seconds = float(flash[1] - flash[0]) / 1000.0f + 0.03f;
        mix.mix(Voices::stab(chordHz({52, 59, 64, 71}), seconds), framesAt(flash[0]), 0.6f, -0.2f);
        mix.mix(Voices::glitch(seconds, 0.7f), framesAt(flash[0]), 0.35f, 0.3f);
    }
    for (const auto& window : kLoopWindows)
        Effects::stutter(mix, window[0], window[1], window[2]);
    mix.mix(Voices::riser(0.6f), framesAt(kBreakEndMs - 600.0), 0.35f);
    mix.mix(kit.crash, framesAt(kBreakEndMs), 0.45f);
    mix.fade(framesAt(kFadeStartMs), framesAt(kFadeEndMs), 1.0f, 0.0f);
    return mix;
}

} // namespace Music::Tracks
