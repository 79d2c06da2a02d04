// Something that produces events (a beat table): when due, it advances its attached listeners.
#pragma once

#include "animation/EventListener.h"

#include <cstddef>
#include <vector>

class EventSource {
public:
    virtual ~EventSource() = default;
    virtual bool isDue() = 0;
    virtual void fire();
    virtual void attach(EventListener* listener);

private:
    std::vector<EventListener*> listeners; // not owned, in attachment order
};
