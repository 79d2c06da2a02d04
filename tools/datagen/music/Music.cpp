// Composition of all of the show's music: the streams mastered to one loudness and encoded,
// the module levelled by playing it.
#include "music/Music.h"

#include "music/Mastering.h"
#include "music/Mp3Encoder.h"
#include "music/PieceOneModule.h"
#include "music/Tracks.h"

#include <stdexcept>

namespace Music {

namespace {

constexpr double kTargetLufs = -15.0;
constexpr double kCeilingDb = -2.5; // leaves room for the encoder's overshoot
constexpr int kKbps = 160;

Entry stream(const std::string& name, StereoBuffer mix) {
    master(mix, kTargetLufs, kCeilingDb);
    return {name, encodeMp3(mix, kKbps, name)};
}

} // namespace

Entry compose(const std::string& archiveName) {
    if (archiveName == "data/videoclip1.mpg") return stream(archiveName, Tracks::opening());
    if (archiveName == "data/broken") return {archiveName, PieceOneModule::composeLevelled()};
    if (archiveName == "data/broken.end") return stream(archiveName, Tracks::closing());
    if (archiveName == "data/col4.mp3") return stream(archiveName, Tracks::montage());
    if (archiveName == "data/videoclip2.mpg") return stream(archiveName, Tracks::drift());
    throw std::invalid_argument("composing music: no piece of music is called " + archiveName);
}

std::vector<Entry> composeAll() {
    std::vector<Entry> entries;
    for (const char* name :
         {"data/videoclip1.mpg", "data/broken", "data/broken.end", "data/col4.mp3", "data/videoclip2.mpg"})
        entries.push_back(compose(name));
    return entries;
}

} // namespace Music
