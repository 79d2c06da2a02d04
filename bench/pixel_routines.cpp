// Throughput of the pixel routines that present a frame, next to the C library's memcpy, over
// a 1024x768 frame: prints `BENCH <routine> <MB/s> MB/s` and `BENCH <routine>_vs_memcpy <ratio> x`.
#include "platform/pixels/FastMemory.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr size_t pixelCount = 1024 * 768;
constexpr size_t sourceBytes = pixelCount * 4;

using Routine = void (*)(uint8_t*, const uint8_t*, size_t);

// Megabytes of source pixels handled per second, best of several rounds.
double measure(Routine routine, std::vector<uint8_t>& out, const std::vector<uint8_t>& in) {
    double best = 0.0;
    for (int round = 0; round < 5; ++round) {
        const int repeats = 20;
        auto begin = std::chrono::steady_clock::now();
        for (int k = 0; k < repeats; ++k)
            routine(out.data(), in.data(), pixelCount);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        double rate = double(sourceBytes) * repeats / seconds / 1e6;
        if (rate > best) best = rate;
    }
    return best;
}

void libraryCopy(uint8_t* d, const uint8_t* s, size_t n) {
    std::memcpy(d, s, n * 4);
}
void fastCopy(uint8_t* d, const uint8_t* s, size_t n) {
    FastMemory::copyBytes(d, s, n * 4);
}
void plainCopy(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::copyBytes(d, s, n * 4);
}

} // namespace

int main() {
    std::vector<uint8_t> in(sourceBytes), out(sourceBytes);
    for (size_t k = 0; k < in.size(); ++k)
        in[k] = uint8_t(k * 131 + 7);

    struct {
        const char* name;
        Routine routine;
    } routines[] = {
        {"copy", fastCopy},
        {"copy_plain", plainCopy},
        {"to24", FastMemory::to24},
        {"to24_plain", PlainMemory::to24},
        {"to565", FastMemory::to565},
        {"to565_plain", PlainMemory::to565},
        {"to565_blue_high", FastMemory::to565BlueHigh},
        {"to555", FastMemory::to555},
        {"to555_plain", PlainMemory::to555},
        {"to555_blue_high", FastMemory::to555BlueHigh},
    };
    double reference = measure(libraryCopy, out, in);
    std::printf("BENCH memcpy %.0f MB/s\n", reference);
    for (auto& r : routines) {
        double rate = measure(r.routine, out, in);
        std::printf("BENCH %s %.0f MB/s\n", r.name, rate);
        std::printf("BENCH %s_vs_memcpy %.2f x\n", r.name, rate / reference);
    }
    std::printf("# block paths use SSE2: %s\n", FastMemory::usesSse2() ? "yes" : "no");
    return 0;
}
