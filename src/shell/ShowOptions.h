// What the command line chose for this run of the show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct ShowOptions {
    bool videoMode = false;      // "video": render every chosen piece to AVI files
    int32_t framesPerSecond = 25; // "fps N"
    bool noMenu = false;         // "nomenu"
    // The pieces that run: "pieces=LIST", then the menu's toggles.
    std::array<bool, 3> pieceChosen = {true, true, true};
    bool windowed = false;                // "window": a resizable window instead of full screen
    std::string codecName = "lossless";   // "codec=NAME"
    std::optional<uint32_t> seed;         // "seed=N": the generator takes N where it takes the clock
    bool deliver = false;                 // "deliver": the rendered parts also go into one MP4 film
    int32_t deliverHeight = 1080;         // "deliver=4k": 2160 (16:9 either way)
    // "from=TIME" and "to=TIME": the range of show time that plays or is rendered, in
    // microseconds; to is the show's end when absent.
    int64_t fromUs = 0;
    std::optional<int64_t> toUs;
    bool loop = false; // "loop": live, the range plays again and again until the viewer ends it

    bool hasRange() const { return fromUs > 0 || toUs.has_value(); }
};
