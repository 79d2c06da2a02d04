// Sound channels made from archive entries, with failures that name the entry.
#include "media/sound/SoundEntries.h"

#include "platform/ShowFailure.h"
#include "resources/FileServer.h"
#include "resources/Servers.h"

#include <vector>

namespace {
// The bytes of every channel made here: a channel reads them for as long as it exists.
std::vector<const uint8_t*>& channelBytes() {
    static auto* bytes = new std::vector<const uint8_t*>();
    return *bytes;
}

SoundHandle loadEntry(const std::string& entryName, bool module) {
    FileServer* files = getFileServer();
    const int32_t size = files->getFileSize(entryName.c_str());
    const uint8_t* data = size > 0 ? files->getFile(entryName.c_str()) : nullptr;
    const char* what = module ? "couldn't load a module from " : "couldn't create a stream from ";
    if (!data) throw ShowFailure(1, what + entryName + (size < 0 ? ": no such entry" : ": the entry is empty"));
    channelBytes().push_back(data);
    SoundSystem& sound = SoundSystem::instance();
    SoundHandle handle = module ? sound.loadModule(data, size) : sound.createStream(data, size);
    if (handle == 0) throw ShowFailure(1, what + entryName + ": " + sound.getLastError());
    return handle;
}
} // namespace

void openPieceSoundOutput(bool videoMode) {
    SoundSystem& sound = SoundSystem::instance();
    if (sound.isInitialised()) return;
    if (!sound.initialise(videoMode ? SoundOutput::Offline : SoundOutput::Live))
        throw ShowFailure(0, "couldn't open the sound output: " + sound.getLastError());
    sound.start();
}

SoundHandle createStreamFromEntry(const std::string& entryName) { return loadEntry(entryName, false); }

SoundHandle loadModuleFromEntry(const std::string& entryName) { return loadEntry(entryName, true); }

void playStreamEntry(SoundHandle stream, const std::string& entryName) {
    if (!SoundSystem::instance().playStream(stream)) throw ShowFailure(3, "couldn't play " + entryName);
}

void playModuleEntry(SoundHandle module, const std::string& entryName) {
    if (!SoundSystem::instance().playModule(module)) throw ShowFailure(2, "couldn't play " + entryName);
}

void stopSoundEntry(SoundHandle channel, const std::string& entryName) {
    if (channel != 0 && !SoundSystem::instance().stop(channel)) throw ShowFailure(2, "couldn't stop " + entryName);
}
