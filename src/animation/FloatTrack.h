// A keyframe track whose values are 32-bit floats.
#pragma once

#include "animation/KeyframeTrack.h"

class FloatTrack : public KeyframeTrack<float> {};
