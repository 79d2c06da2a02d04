// Registration and per-frame polling of the event sources.
#include "animation/SceneManager.h"

SceneManager& SceneManager::instance() {
    static SceneManager* manager = new SceneManager();
    return *manager;
}

void SceneManager::add(EventSource* source) {
    if (source) sources.push_back(source);
}

void SceneManager::update() {
    // Registration order; the count is read on every step, so a source added while polling
    // is polled in the same frame.
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i]->isDue()) sources[i]->fire();
}
