// The shared count of decoded clip memory and the refusal of a clip that would overrun it.
#include "media/clips/ClipMemoryBudget.h"

#include "media/VideoFailure.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>

namespace ClipMemoryBudget {
namespace {
// Clips decode on several worker threads at once.
std::atomic<uint64_t> reserved{0};
} // namespace

Reservation::Reservation(uint64_t bytes_) : bytes(bytes_) {
    reserved += bytes;
}

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
    const uint64_t frameBytes = uint64_t(std::max(width, 0)) * uint64_t(std::max(height, 0)) * 3;
    const uint64_t frames = uint64_t(std::max(frameCount, 0));
    // Compared by division first: a declared size may be large enough to overflow the product.
    const bool alone = frames == 0 || frameBytes <= limitBytes / frames;
    const uint64_t bytes = alone ? frameBytes * frames : limitBytes + 1;
    uint64_t current = reserved.load();
    for (;;) {
        if (bytes > limitBytes - std::min(current, limitBytes)) {
            std::string base = fileName.substr(fileName.find_last_of('/') + 1);
            double mebibytes = double(frameBytes) * double(frames) / double(1 << 20);
            char need[64];
            std::snprintf(need, sizeof need, "%.0f", std::ceil(mebibytes));
            throw VideoFailure("Couldn't decode clip " + base + ": " + std::to_string(width) + "x" +
                                   std::to_string(height) + " pixels x " + std::to_string(frameCount) +
                                   " frames need " + need + " MiB, more than the show's clips may take (" +
                                   std::to_string(limitBytes >> 20) + " MiB in all)",
                               ENOMEM, fileName);
        }
        if (reserved.compare_exchange_weak(current, current + bytes))
            return Reservation(bytes, Reservation::Counted{});
    }
}

uint64_t reservedBytes() {
    return reserved.load();
}

} // namespace ClipMemoryBudget
