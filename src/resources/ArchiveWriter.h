// Writes data archives that the show's reader accepts: refuses what the reader cannot take
// ("@" in a name, names over 511 bytes, more than 1024 entries, names an earlier entry would
// answer) with a clear message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ArchiveWriter {
public:
    // Adds an entry; returns an error text instead when the entry cannot be stored.
    std::string add(const std::string& name, std::vector<uint8_t> bytes);
    // Writes the archive through a temporary file beside it that is renamed into place, so an
    // old archive survives a failed write; an error text naming the file, or "".
    std::string write(const std::string& path) const;
    // The whole archive as bytes.
    std::vector<uint8_t> serialize() const;

    size_t getCount() const { return entries.size(); }

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> bytes;
    };
    // Marker, separator, the "name@size@" entries and the terminating "@".
    std::string directory() const;

    std::vector<Entry> entries;
    uint64_t dataBytes = 0;
};
