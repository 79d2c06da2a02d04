// A menu push button (start, exit): pressed by the first click inside it; shown at the
// strength of its glow, which never falls below 0.4. Its corner is the given point.
#pragma once

#include "shell/MenuControl.h"

class PushButton : public MenuControl {
  public:
    PushButton(ControlImage image, int32_t x, int32_t y, uint8_t* destination);

    virtual bool isPressed() { return state == stateOn; }
    void animate(int32_t frameStep) override;

  protected:
    void draw() override;
};
