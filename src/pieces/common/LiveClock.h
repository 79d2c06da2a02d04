// The clock of a live part. It follows real time, except in a run planned to start later in the
// part: then the frames before the start are stepped one live frame period at a time, without
// waiting or showing and with the sound held, so the part arrives in the state a run at that
// period would reach; from the first frame at or after the start the clock carries on in real
// time and the part's music is moved to it.
#pragma once

#include "media/sound/SoundSystem.h"
#include "pieces/common/PartPlan.h"

#include <cstdint>

class Timer;

class LiveClock {
public:
    // periodMs: the piece's live frame period; 0 steps one clock unit (1/71 s) at a time.
    LiveClock(Timer& clock, SoundSystem& sound, SoundHandle music, const PartPlan& plan, int32_t periodMs);

    // Instead of the clock's update: the time of the next frame.
    void advance();
    // Whether the frame at the clock's time is shown: the run's start in the part is reached.
    bool showing() const { return landed; }
    // Whether the frame at the clock's time ends the run (the range's end in this part).
    bool ended() const;

private:
    Timer& clock;
    SoundSystem& sound;
    SoundHandle music;
    int32_t startMs;
    int32_t endMs;
    int32_t periodMs;
    bool landed;
    bool stepped = false;
};
