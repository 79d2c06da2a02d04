// The file service: every picture, clip and piece of music is obtained from it by name, from
// loose files on disk until an archive is opened, from the archive "data.data" afterwards.
#pragma once

#include <cstdint>

class DebugServer;
class FileArchive;

class FileServer {
public:
    FileServer(DebugServer* log, int32_t maxFiles);
    ~FileServer();
    FileServer(const FileServer&) = delete;
    FileServer& operator=(const FileServer&) = delete;

    // Reads the archive's directory; throws the couldn't-read-metadata error on failure.
    void openArchive(const char* path);
    // The whole file's bytes or null. In archive mode each call returns a new buffer the caller
    // owns (free with delete[]); in loose-file mode the service keeps the buffer.
    uint8_t* getFile(const char* name);
    // The file's length in bytes, or -1 when unknown.
    int32_t getFileSize(const char* name);

    struct File;

private:
    // The loaded record for a loose file, loading it first if needed; null if it cannot be found.
    File* findOrLoad(const char* name);

    FileArchive* archive;
    int32_t maxFiles;
    int32_t fileCount = 0;
    DebugServer* log;
    File* files;
};

// Whether the process reads from an archive (set by a successful openArchive, never cleared).
bool isArchiveMode();
