// Builds the product table once, with exact integer arithmetic.
#include "media/clips/ProductTable.h"

#include <array>

namespace {
std::array<uint8_t, 65536> buildProductTable() {
    std::array<uint8_t, 65536> table{};
    for (uint32_t i = 0; i < 256; ++i)
        for (uint32_t j = 0; j < 256; ++j) table[i * 256 + j] = uint8_t(i * j / 255);
    return table;
}
} // namespace

const uint8_t* productTable() {
    static const std::array<uint8_t, 65536> table = buildProductTable();
    return table.data();
}
