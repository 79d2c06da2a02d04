// Something that produces events (a beat table): when due at the show-clock time it is polled
// with, it advances its attached listeners.
#pragma once

#include "animation/EventListener.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class EventSource {
public:
    virtual ~EventSource() = default;
    virtual bool isDue(int32_t nowMs) = 0;
    virtual void fire(int32_t nowMs);
    virtual void attach(EventListener* listener);

private:
    std::vector<EventListener*> listeners; // not owned, in attachment order
};
