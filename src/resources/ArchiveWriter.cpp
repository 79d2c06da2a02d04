// Archive writer: marker, separator, directory, data.
#include "resources/ArchiveWriter.h"

#include "resources/ArchiveFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Longest directory the limits allow: marker, separator, terminator, and per entry a name of
// 511 bytes, two "@" and ten digits.
constexpr uint64_t maxDirectoryBytes =
    ArchiveFormat::markerLength + 2 + uint64_t(ArchiveFormat::maxEntries) * (ArchiveFormat::maxNameLength + 12);

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// The part after the last "/" (the whole name without one), as the reader matches it.
std::string lastPart(const std::string& name) {
    size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool writeAll(int fd, const void* bytes, size_t count) {
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t n = ::write(fd, p, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        count -= size_t(n);
    }
    return true;
}
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
    const std::string wanted = lowerAscii(name);
    for (const Entry& e : entries) {
        std::string stored = lowerAscii(e.name);
        if (stored == wanted || lastPart(stored) == wanted)
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
    // A uniquely named temporary beside the target, so the rename stays on one file system and
    // no existing file is overwritten until the archive is complete.
    std::string temporary = path + ".partial-XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return "couldn't create a temporary file for " + path + ": " + std::strerror(errno);
    fchmod(fd, 0644);

    std::string head = directory();
    bool ok = writeAll(fd, head.data(), head.size());
    for (size_t k = 0; ok && k < entries.size(); ++k)
        ok = entries[k].bytes.empty() || writeAll(fd, entries[k].bytes.data(), entries[k].bytes.size());
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
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
