// libFuzzer target: arbitrary bytes as a picture entry. A picture either decodes to its own size,
// no larger than the show accepts, with every pixel readable, or is refused with the
// couldn't-read error; a declared size beyond the limit is refused before any pixel memory.
#include "platform/Errors.h"
#include "resources/OImage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        OImage image("fuzz.jpg", data, int32_t(size));
        if (image.getWidth() < 1 || image.getHeight() < 1 || image.getWidth() > OImage::maxSide ||
            image.getHeight() > OImage::maxSide)
            std::abort();
        const uint8_t* pixels = image.getImage();
        volatile uint32_t sum = 0;
        for (int64_t i = 0; i < int64_t(image.getWidth()) * image.getHeight() * 3; i += 97) sum += pixels[i];
    } catch (const ExceptionType&) {
    }
    return 0;
}
