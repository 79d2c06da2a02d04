// One composed file of the default archive: its archive name and its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DataEntry {
    std::string name;
    std::vector<uint8_t> bytes;
};
