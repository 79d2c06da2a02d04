// Archive directory parsing and single-file reads.
#include "resources/FileArchive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

FileArchive::FileArchive() {
    std::fill(std::begin(sizes), std::end(sizes), 0);
    std::fill(std::begin(offsets), std::end(offsets), 0);
    std::fill(std::begin(names), std::end(names), nullptr);
}

FileArchive::~FileArchive() { clearNames(); }

void FileArchive::clearNames() {
    for (char*& name : names) {
        delete[] name;
        name = nullptr;
    }
    count = 0;
    dataStart = -1;
}

int32_t FileArchive::readDirectory(const char* archivePath) {
    // A copy of the path: the caller's string need not outlive the archive.
    path = archivePath ? archivePath : "";
    clearNames();
    std::fill(std::begin(offsets), std::end(offsets), 0);
    if (!archivePath) return CannotOpen;

    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(archivePath, "rb"), std::fclose);
    if (!file) return CannotOpen;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return CannotSeek;
    long length = std::ftell(file.get());
    if (length < 1) return Empty;
    // Offsets are 32-bit; a directory opened as a file also reports an absurd length here.
    if (length > INT32_MAX) return TooLarge;
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) return CannotSeek;

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size_t(length)]);
    size_t got = std::fread(buffer.get(), 1, size_t(length), file.get());
    if (got < size_t(length)) {
        std::printf("%zu\n", got);
        return ShortRead;
    }
    return parseWhole(buffer.get(), length);
}

int32_t FileArchive::parseDirectory(const uint8_t* buffer, int64_t length) {
    path.clear(); // the entries of a buffer cannot be read back from any file
    return parseWhole(buffer, length);
}

int32_t FileArchive::parseWhole(const uint8_t* buffer, int64_t length) {
    clearNames();
    std::fill(std::begin(offsets), std::end(offsets), 0);
    if (!buffer || length < 1) return Empty;
    if (length > INT32_MAX) return TooLarge;
    int32_t result = parse(buffer, length);
    if (result != Ok) clearNames();
    return result;
}

int32_t FileArchive::parse(const uint8_t* buffer, int64_t length) {
    const uint8_t* end = buffer + length;
    const uint8_t* marker = std::search(buffer, end, ArchiveFormat::marker,
                                        ArchiveFormat::marker + ArchiveFormat::markerLength);
    if (marker == end || marker + ArchiveFormat::markerLength >= end) return NoMarker;

    const uint8_t* p = marker + ArchiveFormat::markerLength + 1; // skip the separator byte
    bool expectSize = false;
    int atCount = 0;
    while (p < end) {
        if (*p == '@') {
            ++p;
            if (++atCount == 2) {
                dataStart = p - buffer;
                break;
            }
        } else if (!expectSize) {
            const uint8_t* at = static_cast<const uint8_t*>(std::memchr(p, '@', size_t(end - p)));
            if (!at) return NoTerminator;
            if (at - p > ArchiveFormat::maxNameLength) return NameTooLong;
            if (count >= ArchiveFormat::maxEntries) return TooManyEntries;
            names[count] = new char[ArchiveFormat::maxNameLength + 1];
            std::memcpy(names[count], p, size_t(at - p));
            names[count][at - p] = 0;
            atCount = 0;
            expectSize = true;
            p = at; // the "@" is consumed as the first of the pair
        } else {
            // A signed decimal number: leading blanks, an optional sign, at least one digit.
            const uint8_t* q = p;
            while (q < end && (*q == ' ' || *q == '\t' || *q == '\n' || *q == '\r' || *q == '\v' || *q == '\f'))
                ++q;
            bool negative = false;
            if (q < end && (*q == '+' || *q == '-')) negative = *q++ == '-';
            int64_t value = 0;
            const uint8_t* digits = q;
            while (q < end && *q >= '0' && *q <= '9') {
                value = value * 10 + (*q++ - '0');
                if (value > INT32_MAX) return SizeNotNumber;
            }
            if (q == digits) return SizeNotNumber;
            if (negative && value != 0) return NegativeSize;
            const uint8_t* at = static_cast<const uint8_t*>(std::memchr(q, '@', size_t(end - q)));
            if (!at) return NoTerminator;
            sizes[count++] = int32_t(value);
            expectSize = false;
            p = at + 1;
        }
    }
    if (dataStart < 0) return NoTerminator;

    int64_t offset = dataStart;
    for (int32_t k = 0; k < count; ++k) {
        if (offset > INT32_MAX) return PastEndOfFile;
        offsets[k] = int32_t(offset);
        offset += sizes[k];
        if (offset > length) return PastEndOfFile;
    }
    return Ok;
}

const char* FileArchive::describeResult(int32_t result) {
    switch (result) {
    case Ok: return "no error";
    case CannotOpen: return "cannot open the file";
    case CannotSeek: return "cannot seek in the file";
    case Empty: return "the file is empty";
    case ShortRead: return "the file could not be read completely";
    case NoMarker: return "no archive marker, or nothing after it";
    case TooManyEntries: return "more than 1024 entries";
    case NameTooLong: return "an entry name is longer than 511 bytes";
    case NegativeSize: return "an entry has a negative size";
    case SizeNotNumber: return "an entry size is not a 32-bit decimal number";
    case PastEndOfFile: return "the entries' data runs past the end of the file";
    case NoTerminator: return "the directory ends without its closing \"@\"";
    case TooLarge: return "too large for an archive, or not a regular file";
    }
    return "unknown archive error";
}

namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (lowerAscii(*a) != lowerAscii(*b)) return false;
    return *a == *b;
}
} // namespace

bool FileArchive::matches(const char* request, const char* stored) {
    const char* slash = std::strrchr(stored, '/');
    const char* last = slash ? slash + 1 : stored;
    return equalIgnoringCase(request, stored) || equalIgnoringCase(request, last);
}

int32_t FileArchive::find(const char* name) const {
    if (!name) return -1;
    for (int32_t k = 0; k < count; ++k)
        if (matches(name, names[k])) return k;
    return -1;
}

int32_t FileArchive::getFileSize(const char* name) {
    int32_t k = find(name);
    return k < 0 ? -1 : sizes[k];
}

uint8_t* FileArchive::getFile(const char* name) {
    int32_t k = find(name);
    if (k < 0 || path.empty()) return nullptr;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return nullptr;
    if (std::fseek(file.get(), offsets[k], SEEK_SET) != 0) return nullptr;
    std::unique_ptr<uint8_t[]> data(new uint8_t[size_t(sizes[k]) + 1]);
    if (std::fread(data.get(), 1, size_t(sizes[k]), file.get()) != size_t(sizes[k])) return nullptr;
    return data.release();
}
