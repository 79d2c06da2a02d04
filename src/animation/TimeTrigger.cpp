// Beat-table polling against the show clock.
#include "animation/TimeTrigger.h"

#include "platform/Timer.h"

TimeTrigger::TimeTrigger(const int32_t* table) {
    if (!table) return;
    while (*table != -1) times.push_back(*table++);
}

bool TimeTrigger::finished() const { return cursor >= times.size(); }

bool TimeTrigger::isDue() {
    if (finished()) return false;
    if (times[cursor] > Timer::instance().getElapsedMs()) return false;
    // One entry per poll: when several entries fall within one frame, the trigger fires
    // once per frame until it has caught up.
    ++cursor;
    return true;
}
