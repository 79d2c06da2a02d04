// An event-driven sequence of whole-number keyframe tracks.
#pragma once

#include "animation/TrackSequence.h"

class IntSequence : public TrackSequence<IntTrack> {};
