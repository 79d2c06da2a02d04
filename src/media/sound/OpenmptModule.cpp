// libopenmpt rendering a module once (no repeat) at 44100 Hz stereo from a memory block.
#include "media/sound/OpenmptModule.h"

#include <string>

#include <libopenmpt/libopenmpt.h>

namespace {

class OpenmptModule : public AudioSource {
public:
    explicit OpenmptModule(openmpt_module* module_) : module(module_) {}
    ~OpenmptModule() override { openmpt_module_destroy(module); }

    int32_t read(int16_t* out, int32_t frames) override {
        int32_t total = 0;
        while (total < frames) {
            size_t done = openmpt_module_read_interleaved_stereo(module, 44100, size_t(frames - total),
                                                                 out + total * 2);
            if (done == 0) break;
            total += int32_t(done);
        }
        return total;
    }

    bool rewind() override { return openmpt_module_set_position_seconds(module, 0.0) >= 0.0; }

    // libopenmpt seeks to the start of a row: the rest up to the frame is rendered and dropped.
    bool seek(int64_t frame) override {
        const double landed = openmpt_module_set_position_seconds(module, double(frame) / 44100.0);
        if (landed < 0.0) return false;
        int64_t rest = frame - int64_t(landed * 44100.0 + 0.5);
        int16_t dropped[2 * 4096];
        while (rest > 0) {
            const size_t got = openmpt_module_read_interleaved_stereo(module, 44100, size_t(rest < 4096 ? rest : 4096),
                                                                      dropped);
            if (got == 0) break;
            rest -= int64_t(got);
        }
        return true;
    }

private:
    openmpt_module* module;
};

} // namespace

std::unique_ptr<AudioSource> openTrackerModule(const void* data, int64_t size, std::string* reason) {
    if (!data || size <= 0) {
        if (reason) *reason = "no data";
        return nullptr;
    }
    int error = 0;
    const char* errorText = nullptr;
    openmpt_module* module =
        openmpt_module_create_from_memory2(data, size_t(size), openmpt_log_func_silent, nullptr,
                                           openmpt_error_func_ignore, nullptr, &error, &errorText, nullptr);
    if (!module) {
        if (reason)
            *reason = std::string("not a tracker module (") +
                      (errorText && *errorText ? errorText : "unknown format") + ")";
        openmpt_free_string(errorText);
        return nullptr;
    }
    openmpt_free_string(errorText);
    openmpt_module_set_repeat_count(module, 0);
    // No dither: its noise is random, and rendered sound must be the same on every run.
    openmpt_module_ctl_set_integer(module, "dither", 0);
    return std::make_unique<OpenmptModule>(module);
}
