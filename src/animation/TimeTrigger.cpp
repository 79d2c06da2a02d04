// Beat-table polling against the time the trigger is given.
#include "animation/TimeTrigger.h"

TimeTrigger::TimeTrigger(const int32_t* table) {
    if (!table) return;
    while (*table != -1) times.push_back(*table++);
}

bool TimeTrigger::finished() const { return cursor >= times.size(); }

bool TimeTrigger::isDue(int32_t nowMs) {
    if (finished()) return false;
    if (times[cursor] > nowMs) return false;
    // One entry per poll: when several entries fall within one frame, the trigger fires
    // once per frame until it has caught up.
    ++cursor;
    return true;
}
