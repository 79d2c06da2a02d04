// The fast pixel routines against their plain versions. (The colours they give, SdlDeviceTest
// shows on screen in every display format.)
#include "platform/pixels/FastMemory.h"
#include "platform/pixels/RowConverter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using Routine = void (*)(uint8_t*, const uint8_t*, size_t);

struct RoutinePair {
    const char* name;
    Routine fast;
    Routine plain;
    size_t outBytesPerPixel;
};

void fastCopy(uint8_t* d, const uint8_t* s, size_t n) {
    FastMemory::copyBytes(d, s, n * 4);
}
void plainCopy(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::copyBytes(d, s, n * 4);
}

const RoutinePair routines[] = {
    {"copy", fastCopy, plainCopy, 4},
    {"to24", FastMemory::to24, PlainMemory::to24, 3},
    {"to565", FastMemory::to565, PlainMemory::to565, 2},
    {"to565BlueHigh", FastMemory::to565BlueHigh, PlainMemory::to565BlueHigh, 2},
    {"to555", FastMemory::to555, PlainMemory::to555, 2},
    {"to555BlueHigh", FastMemory::to555BlueHigh, PlainMemory::to555BlueHigh, 2},
};

// Runs a routine into a buffer with guard bytes after the result; returns the whole buffer.
std::vector<uint8_t> run(Routine routine, const std::vector<uint8_t>& source, size_t count, size_t outBytes) {
    std::vector<uint8_t> out(count * outBytes + 32, 0xA5);
    routine(out.data(), source.data(), count);
    return out;
}

TEST(PixelRoutines, FastAndPlainAgreeForEveryCountAndOffset) {
    std::mt19937 generator(1234);
    std::vector<uint8_t> source(4 * 104 + 3);
    for (uint8_t& byte : source)
        byte = uint8_t(generator());
    for (const RoutinePair& routine : routines) {
        for (size_t count = 0; count <= 100; ++count) {
            // Also from a source that is not 4-byte aligned.
            for (size_t offset : {size_t(0), size_t(1), size_t(3)}) {
                std::vector<uint8_t> shifted(source.begin() + long(offset), source.end());
                auto fast = run(routine.fast, shifted, count, routine.outBytesPerPixel);
                auto plain = run(routine.plain, shifted, count, routine.outBytesPerPixel);
                ASSERT_EQ(fast, plain) << routine.name << " count " << count << " offset " << offset;
                // Nothing is written past the converted row.
                for (size_t k = count * routine.outBytesPerPixel; k < fast.size(); ++k)
                    ASSERT_EQ(fast[k], 0xA5) << routine.name << " count " << count;
            }
        }
    }
}

TEST(PixelRoutines, CopyHandlesByteCountsThatAreNotWholePixels) {
    std::vector<uint8_t> source(200);
    for (size_t k = 0; k < source.size(); ++k)
        source[k] = uint8_t(k * 7 + 1);
    for (size_t bytes : {0, 1, 63, 64, 65, 127, 199}) {
        std::vector<uint8_t> out(200, 0);
        FastMemory::copyBytes(out.data(), source.data(), bytes);
        for (size_t k = 0; k < out.size(); ++k)
            ASSERT_EQ(out[k], k < bytes ? source[k] : 0) << bytes;
    }
}

// A frame buffer of no size: the display's converters write nothing for a negative count. (Which
// converter each display format gets, and its byte order, SdlDeviceTest shows on screen.)
TEST(PixelRoutines, ConvertersWriteNothingForANegativeCount) {
    const std::vector<uint8_t> pixels = {0x33, 0x22, 0x11, 0xAA, 0x66, 0x55, 0x44, 0xBB};
    std::vector<uint8_t> untouched(8, 0xEE);
    RowConverters::swapped32(pixels.data(), untouched.data(), -5);
    RowConverters::to565(pixels.data(), untouched.data(), -5);
    EXPECT_EQ(untouched, std::vector<uint8_t>(8, 0xEE));
}

} // namespace
