// The program's icon for desktop menus: the menu's three arched panels in gold on its night-blue
// ground, drawn bold enough to read at small sizes.
#pragma once

#include "common/Picture.h"

namespace AppIcon {
// A size x size picture.
Picture draw(int size);
} // namespace AppIcon
