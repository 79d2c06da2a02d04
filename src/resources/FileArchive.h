// The archive directory: parses "data.data" once and reads single files from it by name.
// Safe on hostile archives: every malformed directory is refused with its own negative code.
#pragma once

#include "resources/ArchiveFormat.h"

#include <cstdint>
#include <string>

class FileArchive {
public:
    enum Result : int32_t {
        Ok = 0,
        CannotOpen = -1,
        CannotSeek = -2,
        Empty = -3,
        ShortRead = -4,
        NoMarker = -5,         // no marker, or nothing after it
        TooManyEntries = -6,   // more than 1024 entries
        NameTooLong = -7,      // a name of 512 bytes or more
        NegativeSize = -8,
        SizeNotNumber = -9,    // no digits, or beyond 32 bits
        PastEndOfFile = -10,   // the data of the entries runs past the end of the file
        NoTerminator = -11,    // the directory ends without its closing "@"
        TooLarge = -12,        // longer than 32-bit offsets reach (or not a regular file)
    };

    FileArchive();
    ~FileArchive();
    FileArchive(const FileArchive&) = delete;
    FileArchive& operator=(const FileArchive&) = delete;

    // Reads the directory of the archive at path (the path is kept for later file reads).
    // 0 or a negative Result; on failure the directory is empty.
    int32_t readDirectory(const char* path);
    // Parses a whole archive held in memory (the directory only; no file reads follow from it).
    int32_t parseDirectory(const uint8_t* buffer, int64_t length);
    // A new buffer of the file's bytes (the caller frees it with delete[]), or null.
    uint8_t* getFile(const char* name);
    // The file's size, or -1 when no entry matches.
    int32_t getFileSize(const char* name);

    // A short description of a readDirectory result, for error messages.
    static const char* describeResult(int32_t result);

    int32_t getCount() const { return count; }
    const char* getName(int32_t index) const { return names[index]; }
    int32_t getSize(int32_t index) const { return sizes[index]; }
    int32_t getOffset(int32_t index) const { return offsets[index]; }
    // Offset of the first data byte (just after the directory), or -1 before a directory was read.
    int64_t getDataStart() const { return dataStart; }
    // Index of the first entry whose whole name, or name after its last "/", equals the request
    // ignoring the case of ASCII letters; -1 when none does.
    int32_t find(const char* name) const;
    // Whether a request names the stored entry under that rule.
    static bool matches(const char* request, const char* stored);

private:
    int32_t parseWhole(const uint8_t* buffer, int64_t length); // clears, checks the length, parses
    int32_t parse(const uint8_t* buffer, int64_t length);
    void clearNames();

    std::string path;
    int32_t sizes[ArchiveFormat::maxEntries];
    int32_t offsets[ArchiveFormat::maxEntries];
    char* names[ArchiveFormat::maxEntries];
    int32_t count = 0;
    int64_t dataStart = -1;
};
