// Something that reacts to events of an event source (a beat of the music): sequences. The
// event comes with the show-clock time (ms) at which it is delivered.
#pragma once

#include <cstdint>

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void advance(int32_t nowMs) = 0;
};
