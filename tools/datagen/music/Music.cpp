// Composition of all of the show's music: the module as is, the streams mastered and encoded.
#include "music/Music.h"

#include "music/PieceOneModule.h"

std::vector<Music::Entry> Music::composeAll() {
    std::vector<Entry> entries;
    entries.push_back({"data/broken", PieceOneModule::composeLevelled()});
    return entries;
}
