// Composition of the default archive: clips on their own thread, everything else on this one.
#include "DefaultData.h"

#include "clips/Clips.h"
#include "images/MenuImages.h"
#include "images/Photographs.h"
#include "music/Music.h"

#include <exception>
#include <thread>

std::vector<DataEntry> DefaultData::composePictures() {
    std::vector<DataEntry> entries = MenuImages::composeAll();
    for (DataEntry& e : Photographs::composeAll()) entries.push_back(std::move(e));
    return entries;
}

std::vector<DataEntry> DefaultData::composeAll() {
    std::vector<DataEntry> clips;
    std::exception_ptr clipFailure;
    std::thread clipThread([&clips, &clipFailure] {
        try {
            clips = Clips::composeAll();
        } catch (...) {
            clipFailure = std::current_exception();
        }
    });
    std::vector<DataEntry> entries;
    std::exception_ptr failure;
    try {
        entries = composePictures();
        for (Music::Entry& e : Music::composeAll()) entries.push_back({e.archiveName, std::move(e.bytes)});
    } catch (...) {
        failure = std::current_exception();
    }
    clipThread.join();
    if (failure) std::rethrow_exception(failure);
    if (clipFailure) std::rethrow_exception(clipFailure);
    for (DataEntry& e : clips) entries.push_back(std::move(e));
    return entries;
}
