// The scene manager: the list of every event source of the show, polled once per frame by
// every frame loop so that due triggers fire and advance their sequences.
#pragma once

#include "animation/EventSource.h"

#include <cstddef>
#include <vector>

class SceneManager {
public:
    static SceneManager& instance(); // created on first use, never destroyed

    SceneManager() = default;
    virtual ~SceneManager() = default;
    virtual void add(EventSource* source);
    virtual void update();

private:
    std::vector<EventSource*> sources; // not owned, in registration order, never removed
};
