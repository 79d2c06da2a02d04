// Something that reacts to events of an event source (a beat of the music): sequences.
#pragma once

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void advance() = 0;
};
