// Registration and per-frame polling of the event sources.
#include "animation/SceneManager.h"

#include <algorithm>

void SceneManager::add(EventSource* source) {
    if (source) sources.push_back(source);
}

void SceneManager::remove(EventSource* source) {
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

void SceneManager::update(int32_t nowMs) {
    // Registration order; the count is read on every step, so a source added while polling
    // is polled in the same frame.
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i]->isDue(nowMs)) sources[i]->fire(nowMs);
}
