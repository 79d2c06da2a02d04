// SDL audio device for live playback: 44100 Hz, 16-bit, stereo, converted by SDL if the
// device wants another format.
#include "media/sound/SdlAudioOutput.h"

#include "media/sound/Mixer.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {
void fillBlock(void* user, Uint8* stream, int length) {
    static_cast<Mixer*>(user)->mix(reinterpret_cast<int16_t*>(stream), length / 4);
}
} // namespace

SdlAudioOutput::~SdlAudioOutput() {
    close();
}

bool SdlAudioOutput::openDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = fillBlock;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained{};
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted = false;
        return false;
    }
    return true;
}

bool SdlAudioOutput::open() {
    if (openDevice()) return true;
    std::fprintf(stderr, "triptych: warning: no audio output (%s); the show plays without sound\n",
                 SDL_GetError());
    // SDL's dummy driver consumes the sound at the real rate, so channels still end on time.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return openDevice();
}

void SdlAudioOutput::start() {
    if (device) SDL_PauseAudioDevice(device, 0);
}

void SdlAudioOutput::close() {
    if (device) SDL_CloseAudioDevice(device);
    device = 0;
    if (subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted = false;
}
