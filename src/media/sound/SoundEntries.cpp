// Sound channels made from archive entries, with failures that name the entry.
#include "media/sound/SoundEntries.h"

#include "platform/ShowFailure.h"
#include "resources/FileServer.h"

SoundHandle SoundEntries::load(const std::string& entryName, bool module) {
    const int32_t size = files.getFileSize(entryName.c_str());
    uint8_t* data = size > 0 ? files.getFile(entryName.c_str()) : nullptr;
    const char* what = module ? "couldn't load a module from " : "couldn't create a stream from ";
    if (!data) throw ShowFailure(1, what + entryName + (size < 0 ? ": no such entry" : ": the entry is empty"));
    // In archive mode every read hands over a buffer of its own; a loose file's stays with the
    // file service.
    if (isArchiveMode()) entryBytes.emplace_back(data);
    SoundHandle handle = module ? sound.loadModule(data, size) : sound.createStream(data, size);
    if (handle == 0) throw ShowFailure(1, what + entryName + ": " + sound.getLastError());
    return handle;
}

void SoundEntries::openOutput(bool videoMode) {
    if (sound.isInitialised()) return;
    if (!sound.initialise(videoMode ? SoundOutput::Offline : SoundOutput::Live))
        throw ShowFailure(0, "couldn't open the sound output: " + sound.getLastError());
    sound.start();
}

SoundHandle SoundEntries::createStream(const std::string& entryName) { return load(entryName, false); }

SoundHandle SoundEntries::loadModule(const std::string& entryName) { return load(entryName, true); }

void SoundEntries::playStream(SoundHandle stream, const std::string& entryName) {
    if (!sound.playStream(stream)) throw ShowFailure(3, "couldn't play " + entryName);
}

void SoundEntries::playModule(SoundHandle module, const std::string& entryName) {
    if (!sound.playModule(module)) throw ShowFailure(2, "couldn't play " + entryName);
}

void SoundEntries::stop(SoundHandle channel, const std::string& entryName) {
    if (channel != 0 && !sound.stop(channel)) throw ShowFailure(2, "couldn't stop " + entryName);
}
