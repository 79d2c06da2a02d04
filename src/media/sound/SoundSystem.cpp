// The sound system's front: channel operations go to the mixer, the output is either the
// live SDL device or blocks rendered on the caller's demand.
#include "media/sound/SoundSystem.h"

#include "media/sound/Mixer.h"
#include "media/sound/Mpg123Stream.h"
#include "media/sound/OpenmptModule.h"
#include "media/sound/SdlAudioOutput.h"

struct SoundSystem::State {
    Mixer mixer;
    std::unique_ptr<SdlAudioOutput> live;
    bool initialised = false;
    SoundOutput output = SoundOutput::Live;
    std::string lastError;
};

SoundSystem::SoundSystem() : state(std::make_unique<State>()) {}
SoundSystem::~SoundSystem() = default;

bool SoundSystem::initialise(SoundOutput output) {
    if (state->initialised) {
        state->lastError = "the sound output is already open";
        return false;
    }
    if (output == SoundOutput::Live) {
        auto live = std::make_unique<SdlAudioOutput>(state->mixer);
        if (!live->open()) {
            state->lastError = "no audio device can be opened, not even SDL's dummy device";
            return false;
        }
        state->live = std::move(live);
    }
    state->output = output;
    state->initialised = true;
    return true;
}

void SoundSystem::shutdown() {
    if (state->live) state->live->close();
    state->live.reset();
    state->mixer.clear();
    state->initialised = false;
}

bool SoundSystem::isInitialised() const {
    return state->initialised;
}
SoundOutput SoundSystem::getOutput() const {
    return state->output;
}

SoundHandle SoundSystem::createStream(const void* data, int64_t size) {
    state->lastError.clear();
    SoundHandle handle = state->mixer.add(openMpegStream(data, size, &state->lastError), Mixer::Kind::Stream);
    if (handle == 0 && state->lastError.empty()) state->lastError = "no free channel";
    return handle;
}

SoundHandle SoundSystem::loadModule(const void* data, int64_t size) {
    state->lastError.clear();
    SoundHandle handle =
        state->mixer.add(openTrackerModule(data, size, &state->lastError), Mixer::Kind::Module);
    if (handle == 0 && state->lastError.empty()) state->lastError = "no free channel";
    return handle;
}

const std::string& SoundSystem::getLastError() const {
    return state->lastError;
}

bool SoundSystem::start() {
    if (!state->initialised) return false;
    if (state->live) state->live->start();
    return true;
}

bool SoundSystem::playStream(SoundHandle stream) {
    return state->mixer.play(stream, Mixer::Kind::Stream);
}
bool SoundSystem::playModule(SoundHandle module) {
    return state->mixer.play(module, Mixer::Kind::Module);
}
bool SoundSystem::stop(SoundHandle channel) {
    return state->mixer.stop(channel);
}

bool SoundSystem::seek(SoundHandle channel, int64_t frame) {
    return state->mixer.seek(channel, frame);
}

void SoundSystem::setPaused(bool paused) {
    state->mixer.setPaused(paused);
}

bool SoundSystem::setProcessingCallback(SoundHandle channel, SoundProcessingCallback callback, void* user) {
    return state->mixer.setCallback(channel, callback, user);
}

bool SoundSystem::isActive(SoundHandle channel) {
    return state->mixer.isActive(channel);
}

bool SoundSystem::renderOfflineBlock(int32_t frames, int16_t* mix) {
    if (!state->initialised || state->output != SoundOutput::Offline) return false;
    return state->mixer.mix(mix, frames);
}
