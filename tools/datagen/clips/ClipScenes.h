// The moving pictures of the show's clips, rendered frame by frame at any size.
#pragma once

#include "common/Picture.h"

#include <memory>
#include <vector>

// A flight low over mountains, lakes and snow fields at late afternoon.
class VoxelFlight {
public:
    VoxelFlight();
    // Frame at `seconds` into the flight.
    Picture render(int width, int height, float seconds) const;

private:
    static constexpr int mapSize = 1024;
    std::vector<float> heights;   // mapSize x mapSize, tiling
    std::vector<Colour> colours;  // lit ground colour per map cell
    float heightAt(float x, float z) const;
    Colour colourAt(float x, float z) const;
};

// A ride through a ribbed, lamp-lit tunnel that twists and sways.
namespace Tunnel {
Picture render(int width, int height, float seconds);
}

// Three polished solids turning over a dark floor under a warm key light and a cool rim light.
namespace LitSolids {
// The motion repeats every `period` seconds.
Picture render(int width, int height, float seconds, float period);
}
