// Scene manager (event sources come with the animation work).
#include "animation/SceneManager.h"

SceneManager& SceneManager::instance() {
    static SceneManager* manager = new SceneManager();
    return *manager;
}

void SceneManager::update() {}
