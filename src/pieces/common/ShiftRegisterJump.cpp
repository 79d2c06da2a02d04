// Powers of the shift register's step by repeated squaring of its bit matrix.
#include "pieces/common/ShiftRegisterJump.h"

#include <map>
#include <memory>
#include <mutex>

namespace {
using Images = std::array<uint32_t, 31>;

uint32_t applyImages(const Images& images, uint32_t state) {
    uint32_t result = 0;
    for (int bit = 0; bit < 31; ++bit)
        if (state >> bit & 1) result ^= images[size_t(bit)];
    return result;
}

// The map "first, then second".
Images compose(const Images& first, const Images& second) {
    Images result{};
    for (size_t bit = 0; bit < 31; ++bit)
        result[bit] = applyImages(second, first[bit]);
    return result;
}
} // namespace

ShiftRegisterJump::ShiftRegisterJump(uint64_t steps_) : steps(steps_) {
    Images power{}, result{};
    for (int bit = 0; bit < 31; ++bit) {
        power[size_t(bit)] = shiftRegisterStep(uint32_t(1) << bit);
        result[size_t(bit)] = uint32_t(1) << bit;
    }
    for (uint64_t left = steps; left != 0; left >>= 1) {
        if (left & 1) result = compose(result, power);
        power = compose(power, power);
    }
    images = result;
}

const ShiftRegisterJump& ShiftRegisterJump::of(uint64_t steps) {
    static std::mutex lock;
    static auto* made = new std::map<uint64_t, std::unique_ptr<ShiftRegisterJump>>();
    std::lock_guard<std::mutex> guard(lock);
    auto& jump = (*made)[steps];
    if (!jump) jump = std::make_unique<ShiftRegisterJump>(steps);
    return *jump;
}
