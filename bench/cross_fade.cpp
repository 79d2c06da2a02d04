// Cost of the clip store's cross-fade of a 640x160 frame pair into a doubled 640x240 frame
// buffer, next to a plain copy of the same rows: prints `BENCH cross_fade_ns_per_pixel` and
// `BENCH plain_copy_ns_per_pixel`.
#include "media/clips/ClipLibrary.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int width = 640;
constexpr int height = 160;
constexpr int targetStride = width * 2; // every second line of a doubled store

template <typename Draw> double nanosecondsPerPixel(Draw draw) {
    double best = 1e30;
    for (int round = 0; round < 7; ++round) {
        const int repeats = 50;
        auto begin = std::chrono::steady_clock::now();
        for (int k = 0; k < repeats; ++k)
            draw(k);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        best = std::min(best, seconds * 1e9 / (double(repeats) * width * height));
    }
    return best;
}

} // namespace

int main() {
    std::vector<uint8_t> current(size_t(width) * height * 4), previous(current.size());
    std::vector<uint8_t> target(size_t(targetStride) * 240 * 4);
    for (size_t i = 0; i < current.size(); ++i) {
        current[i] = uint8_t(i * 7);
        previous[i] = uint8_t(i * 13 + 5);
    }
    double fade = nanosecondsPerPixel([&](int k) {
        int p = 40 + k % 100;
        for (int y = 0; y < height; ++y)
            ClipLibrary::blendRow(target.data() + size_t(y) * targetStride * 4,
                                  current.data() + size_t(y) * width * 4,
                                  previous.data() + size_t(y) * width * 4, width, p, 255 - p);
    });
    double copy = nanosecondsPerPixel([&](int) {
        for (int y = 0; y < height; ++y)
            std::memcpy(target.data() + size_t(y) * targetStride * 4, current.data() + size_t(y) * width * 4,
                        size_t(width) * 4);
    });
    std::printf("BENCH cross_fade_ns_per_pixel %.3f ns\n", fade);
    std::printf("BENCH plain_copy_ns_per_pixel %.3f ns\n", copy);
    return 0;
}
