// Event delivery to the attached listeners, in attachment order.
#include "animation/EventSource.h"

void EventSource::fire(int32_t nowMs) {
    // The count is read on every step, so a listener attached while firing is advanced too.
    for (size_t i = 0; i < listeners.size(); ++i) listeners[i]->advance(nowMs);
}

void EventSource::attach(EventListener* listener) {
    if (listener) listeners.push_back(listener);
}
