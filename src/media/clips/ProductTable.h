// The cross-fade product table: 256 rows of 256 bytes, entry i x 256 + j = floor(i x j / 255),
// so row i scales a byte by i / 255 (row 255 is the identity, row 0 all zero).
#pragma once

#include <cstdint>

// The 65536-byte table, built on first use and kept for the whole process.
const uint8_t* productTable();
