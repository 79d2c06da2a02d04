// The show's three clips: the fixed names they are extracted under, the length each piece
// decodes and the frame rate it decodes at. Extraction, the clip store, the pieces and the tests
// all take them from here.
#pragma once

#include <cstdint>

struct ShowClip {
    const char* archiveName; // entry in data.data
    const char* fileName;    // name of the extracted file in the private temporary directory
    int32_t lengthMs;        // decoded length
    int32_t framesPerSecond; // decoding and look-up rate
};

enum ShowClipId : int {
    flightClip = 0, // piece two's first clip, also under piece three's scanlines
    tunnelClip = 1, // piece two's second clip
    solidsClip = 2, // piece one's boxed clip
};

inline constexpr ShowClip showClips[3] = {
    {"hxaaayqrvpj6duhqmbg1.tmp", "hxaaayqrvpj6duhqmbg1.avi", 16900, 23},
    {"hxaaayqrvpj6duhqmbg2.tmp", "hxaaayqrvpj6duhqmbg2.avi", 11000, 23},
    {"hxaaayqrvpj6duhqmbg3.tmp", "hxaaayqrvpj6duhqmbg3.avi", 3200, 29},
};
