// The scene manager: polls every registered event source once per frame.
#pragma once

class SceneManager {
public:
    static SceneManager& instance();
    virtual ~SceneManager() = default;
    virtual void update();
};
