// An event source driven by a table of show-clock times (ms): due once for every entry the
// time it is polled with has passed, at most one entry per poll.
#pragma once

#include "animation/EventSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TimeTrigger : public EventSource {
public:
    // table: ascending times ending with the terminator -1; null gives a finished trigger.
    explicit TimeTrigger(const int32_t* table);
    bool isDue(int32_t nowMs) override;
    virtual bool finished() const;

    size_t entryCount() const { return times.size(); }

private:
    std::vector<int32_t> times;
    size_t cursor = 0; // the next entry not yet consumed
};
