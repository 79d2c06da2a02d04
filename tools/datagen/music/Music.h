// The show's music, composed from code: the four MPEG audio streams and the tracker module,
// each returned with its archive name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Music {

struct Entry {
    std::string archiveName;
    std::vector<uint8_t> bytes;
};

// "data/videoclip1.mpg", "data/broken", "data/broken.end", "data/col4.mp3", "data/videoclip2.mpg".
// Deterministic: the same bytes on every run.
std::vector<Entry> composeAll();
// One of those entries by its archive name; throws std::invalid_argument for any other name.
Entry compose(const std::string& archiveName);

} // namespace Music
