// libopenmpt rendering of a module held in memory.
#include "music/ModuleRender.h"

#include <libopenmpt/libopenmpt.hpp>

#include <stdexcept>

namespace Music {

StereoBuffer renderModule(const std::vector<uint8_t>& bytes) {
    try {
        openmpt::module module(bytes);
        size_t total = size_t(module.get_duration_seconds() * kSampleRate) + kSampleRate;
        StereoBuffer out(total);
        size_t done = 0;
        while (done < total) {
            size_t got = module.read(kSampleRate, std::min<size_t>(4096, total - done),
                                     out.left.data() + done, out.right.data() + done);
            if (got == 0) break;
            done += got;
        }
        out.left.resize(done);
        out.right.resize(done);
        return out;
    } catch (const openmpt::exception& e) {
        throw std::runtime_error(std::string("rendering the module with libopenmpt: ") + e.what());
    }
}

} // namespace Music
