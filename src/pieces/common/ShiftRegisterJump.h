// The pieces' small shift-register generator (31 bits: each step shifts the state right and puts
// bit 0 xor bit 3 in at bit 30), moved on by many steps at once: piece one's row jitter and
// piece two's smear noise step it once or twice per pixel, which a frame that is only computed,
// not drawn, must still account for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The generator's step, as the effects take it.
inline uint32_t shiftRegisterStep(uint32_t state) {
    const uint32_t mixed = (state >> 3) ^ state;
    return ((mixed & 1) << 30) | (state >> 1);
}

// The state after a fixed number of steps from any state: the step is linear over the state's
// bits, so its power is a 31 x 31 bit matrix, held as the image of each bit.
class ShiftRegisterJump {
  public:
    explicit ShiftRegisterJump(uint64_t steps);
    uint32_t apply(uint32_t state) const {
        uint32_t result = 0;
        for (int bit = 0; bit < 31; ++bit)
            if (state >> bit & 1) result ^= images[size_t(bit)];
        return result;
    }
    uint64_t getSteps() const { return steps; }

    // A jump of steps, made once per distinct count and kept.
    static const ShiftRegisterJump& of(uint64_t steps);

  private:
    uint64_t steps;
    std::array<uint32_t, 31> images{};
};
