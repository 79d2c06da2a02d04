// The memory all decoded clips of the show may take together: a clip whose frames would push the
// total past it is refused before its frame store is allocated.
#pragma once

#include <cstdint>
#include <string>

namespace ClipMemoryBudget {

// 1 GiB: the show's own clips take about a fifth of it.
inline constexpr uint64_t limitBytes = uint64_t(1) << 30;

// Bytes held by a clip's frame store, counted against the budget while the reservation lives.
class Reservation {
  public:
    Reservation() = default;
    // Counts bytes whatever the total (memory that is taken anyway).
    explicit Reservation(uint64_t bytes);
    Reservation(Reservation&& other) noexcept : bytes(other.bytes) { other.bytes = 0; }
    Reservation& operator=(Reservation&& other) noexcept;
    ~Reservation();
    Reservation(const Reservation&) = delete;
    Reservation& operator=(const Reservation&) = delete;

  private:
    friend Reservation reserve(const std::string&, int32_t, int32_t, int32_t);
    struct Counted {};
    Reservation(uint64_t bytes, Counted) : bytes(bytes) {}
    uint64_t bytes = 0;
};

// Reserves width x height x 3 x frameCount bytes for the clip fileName. Throws a VideoFailure
// naming the clip and its declared size when the show's clips would then exceed limitBytes.
Reservation reserve(const std::string& fileName, int32_t width, int32_t height, int32_t frameCount);

// Bytes reserved now by all live frame stores.
uint64_t reservedBytes();

} // namespace ClipMemoryBudget
