// SDL audio device for live playback: 44100 Hz, 16-bit, stereo, converted by SDL if the
// device wants another format.
#include "media/sound/SdlAudioOutput.h"

#include "media/sound/Mixer.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {
void fillBlock(void* user, Uint8* stream, int length) {
    static_cast<Mixer*>(user)->mix(reinterpret_cast<int16_t*>(stream), length / 4);
}

// Whether the kernel knows a sound card for ALSA to open.
bool alsaHasCard() {
    std::ifstream cards("/proc/asound/cards");
    std::string line;
    if (!cards || !std::getline(cards, line)) return false;
    return line.find("no soundcards") == std::string::npos;
}

// Without a card, ALSA's probe can only fail, and it fails loudly (a screen of "ALSA lib ..."
// lines before the show's own warning): the sound servers are tried, ALSA is not. A driver the
// viewer named is left alone.
void leaveOutAlsaWithoutACard() {
    const char* named = std::getenv("SDL_AUDIODRIVER");
    if (named && *named) return;
    if (!alsaHasCard()) setenv("SDL_AUDIODRIVER", "pipewire,pulseaudio", 1);
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
    leaveOutAlsaWithoutACard();
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
