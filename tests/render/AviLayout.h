// The RIFF structure of an AVI file as written on disk, read without FFmpeg (which forgives a
// file that was never finished): the lengths finishing writes into the headers, and the index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AviLayout {
    uint64_t fileSize = 0;
    uint32_t riffSize = 0;               // bytes after the first 8, as the RIFF header says
    uint32_t totalFrames = 0;            // the main header's frame count
    std::vector<uint32_t> streamLengths; // each stream header's length (frames, sample frames)
    uint32_t indexedVideoChunks = 0;     // idx1 entries of stream 00's frames
};

AviLayout readAviLayout(const std::string& path);
