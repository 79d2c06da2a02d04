// Archive writer: marker, separator, directory, data.
#include "resources/ArchiveWriter.h"

#include "resources/ArchiveFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

std::string ArchiveWriter::add(const std::string& name, std::vector<uint8_t> bytes) {
    if (name.empty()) return "an entry needs a name";
    if (name.find('@') != std::string::npos) return "name \"" + name + "\" contains \"@\"";
    if (name.find('\0') != std::string::npos) return "name \"" + name + "\" contains a NUL byte";
    if (name.size() > size_t(ArchiveFormat::maxNameLength))
        return "name \"" + name.substr(0, 40) + "...\" is longer than 511 bytes";
    if (entries.size() >= size_t(ArchiveFormat::maxEntries)) return "more than 1024 entries";
    if (bytes.size() > size_t(INT32_MAX)) return "file \"" + name + "\" is larger than 2 GiB";
    uint64_t total = bytes.size();
    for (const Entry& e : entries) total += e.bytes.size();
    if (total > uint64_t(INT32_MAX) - 1024 * 600) return "archive would be larger than 2 GiB";
    entries.push_back({name, std::move(bytes)});
    return "";
}

std::vector<uint8_t> ArchiveWriter::serialize() const {
    std::string directory(ArchiveFormat::marker, ArchiveFormat::markerLength);
    directory += '@'; // separator
    for (const Entry& e : entries) directory += e.name + "@" + std::to_string(e.bytes.size()) + "@";
    directory += '@'; // terminator
    std::vector<uint8_t> out(directory.begin(), directory.end());
    for (const Entry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    return out;
}

std::string ArchiveWriter::write(const std::string& path) const {
    std::vector<uint8_t> bytes = serialize();
    std::string temporary = path + ".partial";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return "couldn't create " + temporary + ": " + std::strerror(errno);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int savedErrno = errno;
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        unlink(temporary.c_str());
        return "couldn't write " + path + ": " + std::strerror(savedErrno);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        savedErrno = errno;
        unlink(temporary.c_str());
        return "couldn't replace " + path + ": " + std::strerror(savedErrno);
    }
    return "";
}
