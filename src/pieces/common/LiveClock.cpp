// Live part clock with the quick steps up to a planned start.
#include "pieces/common/LiveClock.h"

#include "platform/Timer.h"

LiveClock::LiveClock(Timer& clock_, SoundSystem& sound_, SoundHandle music_, const PartPlan& plan, int32_t periodMs_)
    : clock(clock_), sound(sound_), music(music_), startMs(plan.startMs), endMs(plan.endMs), periodMs(periodMs_),
      landed(plan.startMs <= 0) {
    sound.setPaused(!landed);
}

void LiveClock::advance() {
    if (landed) {
        clock.update();
        return;
    }
    // The first frame is at the part's start, as a live run's first frame is; then one period on
    // at each.
    if (!stepped)
        stepped = true;
    else if (periodMs > 0)
        clock.setTimeMs(clock.getElapsedMs() + periodMs);
    else
        clock.setTime(clock.getTime() + 1);
    const int32_t now = clock.getElapsedMs();
    if (now < startMs) return;
    landed = true;
    clock.setTimeMs(now); // real time from here
    if (music) sound.seek(music, int64_t(now) * SoundSystem::sampleRate / 1000);
    sound.setPaused(false);
}

bool LiveClock::ended() const { return clock.getElapsedMs() >= endMs; }
