// A keyframe track whose values are whole numbers (truncated toward zero when evaluated).
#pragma once

#include "animation/KeyframeTrack.h"

class IntTrack : public KeyframeTrack<int32_t> {};
