// Music of the pieces, taken by name from the file service: each failure ends the show with the
// piece's error code and a cause that names the entry.
#pragma once

#include "media/sound/SoundSystem.h"

#include <string>

// Opens the sound output once: offline when rendering (the writers pull the sound), live
// otherwise. Error code 0 when no output can be opened.
void openPieceSoundOutput(bool videoMode);
// A stream or a module from the archive entry; the bytes stay with the channel for the rest of
// the run. Error code 1 when it cannot be made.
SoundHandle createStreamFromEntry(const std::string& entryName);
SoundHandle loadModuleFromEntry(const std::string& entryName);
// Plays a channel from its start; error code 3 for a stream, 2 for a module that cannot play.
void playStreamEntry(SoundHandle stream, const std::string& entryName);
void playModuleEntry(SoundHandle module, const std::string& entryName);
// Stops a channel (0 is never loaded and has nothing to stop); error code 2 when it cannot.
void stopSoundEntry(SoundHandle channel, const std::string& entryName);
