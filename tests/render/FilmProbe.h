// Reads back the delivered MP4 film for the delivery tests: its streams as a player sees them
// (start times and durations after the edit lists), its chapters, its decoded sound and single
// decoded pictures of it or of any other file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FilmChapterInfo {
    std::string title;
    double start = 0, end = 0; // seconds
};

struct FilmProbe {
    // The streams in FFmpeg's names: "codec profile pixel-format colour-space primaries transfer
    // range" and "codec profile rate Hz channels channels".
    std::string video, audio;
    double videoStart = 0, audioStart = 0, videoDuration = 0; // seconds
    int64_t videoFrames = 0;                                  // pictures counted in the file
    bool indexFirst = false;                                  // "moov" before "mdat"
    std::vector<FilmChapterInfo> chapters;
    // Decoded sound as mono (left + right) / 2 in -1..1, from the start a player plays.
    std::vector<float> sound;
};

FilmProbe probeFilm(const std::string& path, bool decodeSound = false);

// Picture number `index` of a file's video stream, decoded to blue, green, red bytes, rows top
// to bottom; empty when there is no such picture.
std::vector<uint8_t> decodePicture(const std::string& path, int64_t index, int32_t* width, int32_t* height);
