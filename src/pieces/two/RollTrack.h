// The roll track of piece two's cross-fade: how far the blended rows may roll vertically
// (0 = no roll) at each show-clock time; it pulses with the music between 69001 and 75539 ms.
#pragma once

#include "animation/IntTrack.h"

// The track (779 keys), built on first use and started at clock time 0, so that it is
// evaluated against the show clock directly. Later calls return the same track unchanged.
const IntTrack& rollTrack();
