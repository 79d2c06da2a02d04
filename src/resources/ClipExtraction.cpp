// Clip extraction: a private temporary directory (mode 0700) holding the three clips under
// their fixed names, removed at every exit, on the error paths and on signals that end the process.
#include "resources/ClipExtraction.h"

#include "platform/DataLocation.h"
#include "platform/Errors.h"
#include "platform/QuitSignals.h"
#include "platform/ShowFailure.h"
#include "resources/FileServer.h"
#include "resources/ShowClips.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const archiveName = "data.data";
// The box the shell shows for every failed extraction, before its "Error." box.
const char* const noticeText = "Couldn't create temporary files!";

// Fixed buffers, so that a signal handler can remove everything with unlink and rmdir alone.
constexpr size_t pathLength = 2048;
constexpr size_t directoryLength = pathLength - 8; // room for the trailing '/'
char tempDirectory[pathLength];                    // with its trailing '/', empty while none exists
char clipPaths[3][pathLength + 32];
volatile sig_atomic_t directoryExists = 0;

bool exitHandlerRegistered = false;

// Thrown inside extractClips; the reason goes to stderr under the box text.
struct ExtractionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string systemReason(int error) {
    return std::strerror(error);
}

void makeTempDirectory() {
    if (directoryExists) return;
    const char* base = std::getenv("TMPDIR");
    if (!base || !*base) base = "/tmp";
    std::string pattern = base;
    if (pattern.back() != '/') pattern += '/';
    pattern += "triptych-XXXXXX";
    if (pattern.size() + 1 > directoryLength)
        throw ExtractionFailure("temporary directory path too long: " + pattern);
    char buffer[directoryLength];
    std::memcpy(buffer, pattern.c_str(), pattern.size() + 1);
    if (!mkdtemp(buffer))
        throw ExtractionFailure("cannot create a temporary directory in '" + std::string(base) +
                                "': " + systemReason(errno));
    std::snprintf(tempDirectory, sizeof tempDirectory, "%s/", buffer);
    for (int i = 0; i < 3; ++i)
        std::snprintf(clipPaths[i], sizeof clipPaths[i], "%s%s", tempDirectory, showClips[i].fileName);
    directoryExists = 1;
}

// At exit, at the hurried exit, and from a signal that ends the process on the spot.
void removeAtExit() {
    removeTempClips();
}

// Writes one clip's bytes to its file.
void writeClip(FileServer* fileServer, int index, const char* archiveName) {
    uint8_t* data = fileServer->getFile(showClips[index].archiveName);
    int32_t size = fileServer->getFileSize(showClips[index].archiveName);
    if (!data || size < 0) {
        delete[] data;
        throw ExtractionFailure(std::string("clip '") + showClips[index].archiveName + "' is missing from '" +
                                archiveName + "'");
    }
    FILE* file = std::fopen(clipPaths[index], "wb");
    if (!file) {
        int error = errno;
        delete[] data;
        throw ExtractionFailure(std::string("cannot create '") + clipPaths[index] +
                                "': " + systemReason(error));
    }
    size_t written = std::fwrite(data, 1, size_t(size), file);
    int writeError = written == size_t(size) ? 0 : (errno ? errno : EIO);
    if (std::fclose(file) != 0 && !writeError) writeError = errno ? errno : EIO;
    delete[] data;
    if (writeError)
        throw ExtractionFailure(std::string("cannot write '") + clipPaths[index] +
                                "': " + systemReason(writeError));
}

void openArchive(FileServer* fileServer, const DataLocation& data) {
    if (data.path.empty()) throw ExtractionFailure(data.missingText());
    const char* archiveName = data.path.c_str();
    struct stat info {};
    if (stat(archiveName, &info) != 0)
        throw ExtractionFailure(std::string("cannot open '") + archiveName + "': " + systemReason(errno));
    try {
        fileServer->openArchive(archiveName);
    } catch (const ExceptionType& error) {
        throw ExtractionFailure(std::string("cannot read '") + archiveName + "': " + error.describe());
    }
}

} // namespace

void extractClips(FileServer* fileServer) {
    extractClips(fileServer, DataLocation{archiveName, {archiveName}});
}

void extractClips(FileServer* fileServer, const DataLocation& data) {
    try {
        if (!exitHandlerRegistered) {
            std::atexit(removeAtExit);
            std::at_quick_exit(removeAtExit);
            exitHandlerRegistered = true;
        }
        makeTempDirectory();
        Sys_AddSignalCleanup(removeAtExit);
        if (!fileServer) throw ExtractionFailure("no file service");
        openArchive(fileServer, data);
        for (int i = 0; i < 3; ++i)
            writeClip(fileServer, i, data.path.c_str());
    } catch (const ExtractionFailure& failure) {
        throw ShowFailure(1, std::string("clip extraction: ") + failure.what()).withNotice(noticeText, "Error!");
    } catch (...) {
        throw ShowFailure(1, "clip extraction from '" + data.path + "' failed")
            .withNotice(noticeText, "Error!");
    }
}

std::string tempClipPath(const char* name) {
    return std::string(tempDirectory) + name;
}

std::string tempClipDirectory() {
    return tempDirectory;
}

int removeTempClips() {
    if (!directoryExists) return 0;
    for (int i = 0; i < 3; ++i)
        unlink(clipPaths[i]);
    // The directory name without its trailing '/' (rmdir accepts it with the slash too).
    rmdir(tempDirectory);
    directoryExists = 0;
    tempDirectory[0] = '\0';
    return 0;
}
