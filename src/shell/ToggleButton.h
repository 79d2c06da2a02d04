// A menu toggle that chooses one piece: on at first, flipped by each click inside it; switched
// off it fades to a dark grey version of its picture. Centred on the given point.
#pragma once

#include "shell/MenuControl.h"

class ToggleButton : public MenuControl {
  public:
    ToggleButton(ControlImage image, int32_t x, int32_t y, uint8_t* destination);

    virtual bool isOn() { return state == stateOn; }
    // Starts switched off, already faded (a piece left out on the command line).
    void startOff() {
        state = stateOff;
        brightness = 0.05f;
    }
    void animate(int32_t frameStep) override;

  protected:
    void draw() override;
};
