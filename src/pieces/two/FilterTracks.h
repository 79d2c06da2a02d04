// The keyframe tracks that drive piece two's filters over the show clock: the noisy smear's
// jitter and noise amplitude (first builder), the final smear's width, the fade to black and the
// threshold envelope (second builder).
#pragma once

#include "animation/FloatTrack.h"
#include "animation/IntTrack.h"

struct FilterTracks {
    IntTrack jitter;     // extra divisor range of the noisy smear, per line
    IntTrack noise;      // noise amplitude of the noisy smear
    IntTrack smearWidth; // radius of the final smear
    IntTrack fadeOut;    // how much is taken off every colour byte at the end
    FloatTrack envelope; // threshold level; started when the threshold filter first runs
};

// First builder: jitter (42 keys) and noise (8 keys), started at clock time 0.
void buildSmearTracks(FilterTracks& tracks);
// Second builder: smear width and fade-out (4 keys each, started at 0) and the envelope
// (1190 keys, left unstarted).
void buildFilterTracks(FilterTracks& tracks);
