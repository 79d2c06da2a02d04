// Music of the pieces, taken by name from the file service into the sound system: each failure
// ends the show with the piece's error code and a cause that names the entry.
#pragma once

#include "media/sound/SoundSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FileServer;

class SoundEntries {
public:
    SoundEntries(SoundSystem& sound, FileServer& files) : sound(sound), files(files) {}

    // Opens the sound output once: offline when rendering (the writers pull the sound), live
    // otherwise. Error code 0 when no output can be opened.
    void openOutput(bool videoMode);
    // A stream or a module from the archive entry; its bytes stay here for as long as this
    // object lives (the channel reads them). Error code 1 when it cannot be made.
    SoundHandle createStream(const std::string& entryName);
    SoundHandle loadModule(const std::string& entryName);
    // Plays a channel from its start; error code 3 for a stream, 2 for a module that cannot play.
    void playStream(SoundHandle stream, const std::string& entryName);
    void playModule(SoundHandle module, const std::string& entryName);
    // Stops a channel (0 is never loaded and has nothing to stop); error code 2 when it cannot.
    void stop(SoundHandle channel, const std::string& entryName);

    SoundSystem& getSound() { return sound; }

private:
    SoundHandle load(const std::string& entryName, bool module);

    SoundSystem& sound;
    FileServer& files;
    std::vector<std::unique_ptr<uint8_t[]>> entryBytes;
};
