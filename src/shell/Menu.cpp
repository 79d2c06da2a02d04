// Start menu (the controls come with the screen work): every piece stays chosen.
#include "shell/Menu.h"

#include "shell/ShowState.h"

void loadMenuBackground() {}
void drawMenuBackground() {}
void createMenuControls() {}

void runMenu() {
    for (bool& chosen : Show::pieceChosen) chosen = true;
}
