// Archive writer: marker, separator, directory, data.
#include "resources/ArchiveWriter.h"

#include "platform/AtomicFile.h"
#include "resources/ArchiveFormat.h"
#include "resources/FileArchive.h"

namespace {
// Longest directory the limits allow: marker, separator, terminator, and per entry a name of
// 511 bytes, two "@" and ten digits.
constexpr uint64_t maxDirectoryBytes =
    ArchiveFormat::markerLength + 2 + uint64_t(ArchiveFormat::maxEntries) * (ArchiveFormat::maxNameLength + 12);
} // namespace

std::string ArchiveWriter::add(const std::string& name, std::vector<uint8_t> bytes) {
    if (name.empty()) return "an entry needs a name";
    if (name.find('@') != std::string::npos) return "name \"" + name + "\" contains \"@\"";
    if (name.find('\0') != std::string::npos) return "name \"" + name + "\" contains a NUL byte";
    if (name.size() > size_t(ArchiveFormat::maxNameLength))
        return "name \"" + name.substr(0, 40) + "...\" is longer than 511 bytes";
    if (entries.size() >= size_t(ArchiveFormat::maxEntries)) return "more than 1024 entries";
    // The reader answers a request with the first entry whose whole name or last path part
    // matches, ignoring case; an entry whose name an earlier one answers could never be read.
    for (const Entry& e : entries) {
        if (FileArchive::matches(name.c_str(), e.name.c_str()))
            return "name \"" + name + "\" would be answered by the earlier entry \"" + e.name + "\"";
    }
    if (bytes.size() > size_t(INT32_MAX)) return "file \"" + name + "\" is larger than 2 GiB";
    if (dataBytes + bytes.size() + maxDirectoryBytes > uint64_t(INT32_MAX))
        return "adding \"" + name + "\" would make the archive larger than 2 GiB";
    dataBytes += bytes.size();
    entries.push_back({name, std::move(bytes)});
    return "";
}

std::string ArchiveWriter::directory() const {
    std::string text(ArchiveFormat::marker, ArchiveFormat::markerLength);
    text += '@'; // separator
    for (const Entry& e : entries) text += e.name + "@" + std::to_string(e.bytes.size()) + "@";
    // The reader ends the directory at its second "@" in a row; after an entry the "@" closing
    // its size is the first of them, so an archive without entries needs both.
    text += entries.empty() ? "@@" : "@";
    return text;
}

std::vector<uint8_t> ArchiveWriter::serialize() const {
    std::string head = directory();
    std::vector<uint8_t> out(head.begin(), head.end());
    out.reserve(out.size() + dataBytes);
    for (const Entry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    return out;
}

std::string ArchiveWriter::write(const std::string& path) const {
    std::string head = directory();
    std::vector<FilePiece> pieces{{head.data(), head.size()}};
    for (const Entry& e : entries) pieces.push_back({e.bytes.data(), e.bytes.size()});
    return Sys_WriteFileAtomically(path, pieces);
}
