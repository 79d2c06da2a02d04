// The four streamed pieces of music, composed as stereo float mixes before mastering.
#pragma once

#include "music/AudioBuffer.h"

#include <vector>

namespace Music {

// A steady tempo: beat 0 at `originMs`, `beatMs` per beat.
struct BeatGrid {
    double originMs;
    double beatMs;
    double ms(double beat) const { return originMs + beat * beatMs; }
    long frame(double beat) const { return framesAt(ms(beat)); }
};

namespace Tracks {

// Piece one's opening (4.5 s): a drone and a rising sweep with a hit at 3700 ms, when the
// clip slides in.
StereoBuffer opening();
// Piece one's closing (16 s): a fading outro with a noise burst in each glitch window.
StereoBuffer closing();
// Piece two (151 s): stabs on the first cuts, a groove from 6388 ms, louder from 66171 ms,
// a stuttering break from 92197 to 92821 ms, faded out by 140000 ms.
StereoBuffer montage();
// Piece three (107 s): slow and spacious, changing at the noise-floor times.
StereoBuffer drift();

} // namespace Tracks
} // namespace Music
