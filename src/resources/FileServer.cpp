// File service: loose files read whole and kept, or files read from the archive on each request.
#include "resources/FileServer.h"

#include "platform/DebugServer.h"
#include "platform/Errors.h"
#include "resources/FileArchive.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
bool archiveMode = false;
}

bool isArchiveMode() { return archiveMode; }

// One loaded loose file.
struct FileServer::File {
    char* name = nullptr;
    int32_t nameCapacity = 0;
    FILE* handle = nullptr;
    int32_t size = 0;
    uint8_t* data = nullptr;

    ~File() { clear(); }

    void clear() {
        delete[] name;
        name = nullptr;
        nameCapacity = 0;
        delete[] data;
        data = nullptr;
        size = 0;
        if (handle) std::fclose(handle);
        handle = nullptr;
    }

    void setName(const char* newName) {
        int32_t length = int32_t(std::strlen(newName));
        if (!name || nameCapacity < length) {
            delete[] name;
            name = new char[size_t(length) + 1];
            nameCapacity = length;
        }
        std::memcpy(name, newName, size_t(length) + 1);
    }

    void open(const char* fileName, DebugServer* log) {
        setName(fileName);
        // Read-only: a file the service only reads must not need write permission.
        handle = std::fopen(fileName, "rb");
        std::string line = std::string("{FileServer::File}: Opening file ") + fileName + "...";
        line += handle ? " Done." : " Failed!";
        if (log) log->write(line.c_str(), handle ? 4 : 10);
        if (!handle) Errors::raise(Errors::couldntOpenFile, fileName);

        long length = -1;
        if (std::fseek(handle, 0, SEEK_END) == 0) length = std::ftell(handle);
        std::fseek(handle, 0, SEEK_SET);
        if (length < 0 || length > INT32_MAX) length = 0; // unreadable length: the read below fails
        size = int32_t(length);
        data = new uint8_t[size_t(size) + 1];
        line = "{FileServer::File}: Allocating buffer (" + std::to_string(size) + " bytes)... Done.";
        if (log) log->write(line.c_str(), 4);

        bool read = std::fread(data, size_t(size), 1, handle) == 1;
        line = "{FileServer::File}: Reading file (" + std::to_string(size) + " bytes) into buffer... ";
        line += read ? "Done." : "Failed!";
        if (log) log->write(line.c_str(), read ? 4 : 10);
        if (!read) {
            delete[] data;
            data = nullptr;
            std::fclose(handle);
            handle = nullptr;
            Errors::raise(Errors::couldntReadFile, fileName);
        }
        std::fclose(handle);
        handle = nullptr;
    }
};

FileServer::FileServer(DebugServer* log_, int32_t maxFiles_)
    : archive(new FileArchive()), maxFiles(maxFiles_), log(log_),
      files(new File[size_t(maxFiles_ > 0 ? maxFiles_ : 1)]) {
    archiveMode = false;
}

FileServer::~FileServer() {
    delete[] files;
    delete archive;
}

void FileServer::openArchive(const char* path) {
    if (archive->readDirectory(path) != 0) Errors::raise(Errors::couldntReadMetadata, path);
    archiveMode = true;
}

namespace {
// The loaded record with the name, or null. A record that was never filled is an error.
template <typename File> File* findLoaded(File* files, int32_t fileCount, const char* name) {
    for (int32_t k = 0; k < fileCount; ++k) {
        if (!files[k].name) Errors::raise(Errors::fileNotFound, name);
        if (std::strcmp(files[k].name, name) == 0) {
            if (!files[k].data) Errors::raise(Errors::fileNotFound, name);
            return &files[k];
        }
    }
    return nullptr;
}
} // namespace

FileServer::File* FileServer::findOrLoad(const char* name) {
    if (File* found = findLoaded(files, fileCount, name)) return found;
    if (fileCount + 1 >= maxFiles) Errors::raise(Errors::tooManyFiles);
    File& record = files[fileCount++];
    try {
        record.open(name, log);
    } catch (...) {
        // A file that failed to load gives its slot back, so that it neither counts against the
        // limit nor answers a later request for the same name with a half-filled record.
        record.clear();
        --fileCount;
        throw;
    }
    return findLoaded(files, fileCount, name);
}

uint8_t* FileServer::getFile(const char* name) {
    if (archiveMode) return archive->getFile(name);
    File* found = name ? findOrLoad(name) : nullptr;
    return found ? found->data : nullptr;
}

int32_t FileServer::getFileSize(const char* name) {
    if (archiveMode) return archive->getFileSize(name);
    if (File* found = name ? findOrLoad(name) : nullptr) return found->size;
    if (log) log->write("{FileServer::getFileSize()}: Warning - client requested a non-existent file!", 8);
    return -1;
}
