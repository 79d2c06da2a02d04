// Whole-file reading and writing for the archive tool, with errors that name the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Datapack {

// A failure of a command; its text is printed after "datapack: ".
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The file's bytes; throws Failure("<operation>: couldn't read <path>: <reason>").
std::vector<uint8_t> readWholeFile(const std::string& path, const std::string& operation);
// Writes through a temporary file beside path that is renamed into place, so a failed write
// leaves neither a half-written file nor a temporary behind.
void writeWholeFile(const std::string& path, const uint8_t* bytes, size_t size, const std::string& operation);

} // namespace Datapack
