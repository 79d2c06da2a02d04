// The shared count of decoded clip memory and the refusal of a clip that would overrun it.
#include "media/ClipMemoryBudget.h"

#include "media/VideoFile.h"

#include <atomic>
#include <cerrno>

namespace ClipMemoryBudget {
namespace {
// Clips decode on several worker threads at once.
std::atomic<uint64_t> reserved{0};
} // namespace

Reservation& Reservation::operator=(Reservation&& other) noexcept {
    if (this != &other) {
        reserved -= bytes;
        bytes = other.bytes;
        other.bytes = 0;
    }
    return *this;
}

Reservation::~Reservation() {
    reserved -= bytes;
}

Reservation reserve(const std::string& fileName, int32_t width, int32_t height, int32_t frameCount) {
    const uint64_t bytes = uint64_t(width > 0 ? width : 0) * uint64_t(height > 0 ? height : 0) * 3 *
                           uint64_t(frameCount > 0 ? frameCount : 0);
    const uint64_t before = reserved.fetch_add(bytes);
    if (bytes > limitBytes || before + bytes > limitBytes) {
        reserved -= bytes;
        std::string base = fileName.substr(fileName.find_last_of('/') + 1);
        throw VideoFileError{"Couldn't decode clip " + base + ": " + std::to_string(width) + "x" +
                                 std::to_string(height) + " pixels x " + std::to_string(frameCount) +
                                 " frames need " + std::to_string(bytes >> 20) +
                                 " MiB, more than the show's clips may take (" +
                                 std::to_string(limitBytes >> 20) + " MiB in all)",
                             ENOMEM};
    }
    return Reservation(bytes);
}

uint64_t reservedBytes() {
    return reserved.load();
}

} // namespace ClipMemoryBudget
