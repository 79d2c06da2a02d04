// Helpers of the render tests.
#include "render/RenderTestSupport.h"

#include <cstdlib>
#include <filesystem>

std::vector<uint8_t> syntheticFrame(int32_t width, int32_t height, int32_t frameNumber) {
    std::vector<uint8_t> frame(size_t(width) * height * 3);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = &frame[(size_t(y) * width + x) * 3];
            pixel[0] = uint8_t(x * 3 + frameNumber);
            pixel[1] = uint8_t(y * 5);
            pixel[2] = uint8_t((x ^ y) + frameNumber * 40);
        }
    return frame;
}

std::vector<uint8_t> syntheticSound(int64_t first, int64_t count) {
    std::vector<uint8_t> sound(size_t(count) * 4);
    for (int64_t i = 0; i < count; ++i) {
        int64_t n = first + i;
        uint16_t left = uint16_t(n * 7), right = uint16_t(~n);
        uint8_t* at = &sound[size_t(i) * 4];
        at[0] = uint8_t(left), at[1] = uint8_t(left >> 8), at[2] = uint8_t(right), at[3] = uint8_t(right >> 8);
    }
    return sound;
}

std::string buildFolder() {
    const char* folder = std::getenv("TRIPTYCH_BUILD_DIR");
    return folder && *folder ? folder : std::filesystem::current_path().string();
}

RenderOutput& testOutput() {
    static auto* sound = new SoundSystem();
    static auto* output = new RenderOutput(*sound, RenderReport{});
    return *output;
}
