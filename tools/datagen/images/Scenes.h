// The photographs of the show, each a scene rendered from code at a given size.
#pragma once

#include "common/Picture.h"

namespace Scenes {
// Outdoor scenes.
Picture mountainsAtDusk(int width, int height);
Picture seaAtSunset(int width, int height);
Picture dunes(int width, int height);
Picture mistyForest(int width, int height);
Picture aurora(int width, int height);
Picture cloudsAtEvening(int width, int height);
// Built and arranged scenes.
Picture colonnade(int width, int height);
Picture bokehLights(int width, int height);
Picture stillLife(int width, int height);
Picture skylineAtNight(int width, int height);
Picture windowLight(int width, int height);

// Finishing touches shared by all photographs: darker corners and a fine grain.
void finishPhotograph(Picture& picture, float vignette, uint32_t grainSeed);
} // namespace Scenes
