// The credits box shown when the show ends, and its rare afterword.
#pragma once

#include <string>

// The credits text: the title, the group, each piece's visuals and music, the site, the addresses.
std::string creditsText();
// Shows the credits box; then, seeded from the calendar, one draw in 32768 shows five more boxes.
void showCredits();
