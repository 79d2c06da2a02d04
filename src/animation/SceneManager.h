// The scene manager: the list of the event sources of the show, polled once per frame by
// every frame loop with the show-clock time, so that due triggers fire and advance their
// sequences. A piece adds its triggers when its run is set up and removes them afterwards.
#pragma once

#include "animation/EventSource.h"

#include <cstddef>
#include <vector>

class SceneManager {
public:
    SceneManager() = default;
    virtual ~SceneManager() = default;
    virtual void add(EventSource* source);
    // Forgets source (nothing happens for one that was never added).
    virtual void remove(EventSource* source);
    virtual void update(int32_t nowMs);

private:
    std::vector<EventSource*> sources; // not owned, in registration order
};
