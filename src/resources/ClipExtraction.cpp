// Clip extraction: a private temporary directory (mode 0700) holding the three clips under
// their fixed names, removed at every exit, on the error paths and on signals.
#include "resources/ClipExtraction.h"

#include "platform/Errors.h"
#include "platform/MessageBox.h"
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

// Fixed buffers, so that a signal handler can remove everything with unlink and rmdir alone.
constexpr size_t pathLength = 2048;
constexpr size_t directoryLength = pathLength - 8; // room for the trailing '/'
char tempDirectory[pathLength];                    // with its trailing '/', empty while none exists
char clipPaths[3][pathLength + 32];
volatile sig_atomic_t directoryExists = 0;
volatile sig_atomic_t quitSignalSeen = 0;

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

// The signals after which the clips are removed, and the handlers that were there before.
constexpr int watchedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int watchedCount = int(sizeof watchedSignals / sizeof watchedSignals[0]);
struct sigaction previousActions[watchedCount];

// Hands the signal to the previous handler (or the default action) as if onSignal were not there.
void passOn(int signalNumber, const struct sigaction& previous) {
    sigaction(signalNumber, &previous, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signalNumber);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signalNumber);
}

// A first SIGINT / SIGTERM goes on to the handler that was there before (the shell's asks the
// show to end, and the normal exit removes the clips). A second one, or any signal that would
// end the process at once (no handler, a hang-up, a crash), removes the clips first.
void onSignal(int signalNumber) {
    int slot = 0;
    while (slot < watchedCount - 1 && watchedSignals[slot] != signalNumber)
        ++slot;
    const struct sigaction& previous = previousActions[slot];
    bool defaultAction = !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_DFL;
    bool ignored = !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN;
    bool quitSignal = signalNumber == SIGINT || signalNumber == SIGTERM;
    if (ignored) return;
    bool fault = signalNumber == SIGSEGV || signalNumber == SIGBUS || signalNumber == SIGFPE ||
                 signalNumber == SIGILL || signalNumber == SIGABRT;
    if (fault) {
        // Returning repeats the faulting instruction (abort raises again), now meeting the
        // previous handler with the real context.
        removeTempClips();
        sigaction(signalNumber, &previous, nullptr);
        return;
    }
    if (!quitSignal || defaultAction) {
        removeTempClips();
        passOn(signalNumber, previous);
        _exit(128 + signalNumber); // only if the previous handler returned
    }
    if (quitSignalSeen) {
        removeTempClips();
        _exit(128 + signalNumber);
    }
    quitSignalSeen = 1;
    if (previous.sa_flags & SA_SIGINFO)
        previous.sa_sigaction(signalNumber, nullptr, nullptr);
    else
        previous.sa_handler(signalNumber);
}

bool isQuitSignal(int signalNumber) {
    return signalNumber == SIGINT || signalNumber == SIGTERM || signalNumber == SIGHUP || signalNumber == SIGQUIT;
}

// Puts onSignal in front of whatever handles the watched signals now (again, if a later
// handler replaced it). Where the show catches the quit signals, they are left to it: it ends
// through exit or quick_exit, whose handlers remove the clips after the files are finished.
void installSignalHandlers() {
    for (int slot = 0; slot < watchedCount; ++slot) {
        if (Sys_AreQuitSignalsCaught() && isQuitSignal(watchedSignals[slot])) continue;
        struct sigaction current {};
        sigaction(watchedSignals[slot], nullptr, &current);
        if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == onSignal) continue;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(watchedSignals[slot], &action, &previousActions[slot]);
    }
}

void removeAtExit() {
    removeTempClips();
}

// Writes one clip's bytes to its file.
void writeClip(FileServer* fileServer, int index) {
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

void openArchive(FileServer* fileServer) {
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
    try {
        if (!exitHandlerRegistered) {
            std::atexit(removeAtExit);
            std::at_quick_exit(removeAtExit);
            exitHandlerRegistered = true;
        }
        makeTempDirectory();
        installSignalHandlers();
        if (!fileServer) throw ExtractionFailure("no file service");
        openArchive(fileServer);
        for (int i = 0; i < 3; ++i)
            writeClip(fileServer, i);
    } catch (const ExtractionFailure& failure) {
        Sys_MessageBox("Couldn't create temporary files!", "Error!", MessageIcon::Stop);
        throw ShowFailure(1, std::string("clip extraction: ") + failure.what());
    } catch (...) {
        Sys_MessageBox("Couldn't create temporary files!", "Error!", MessageIcon::Stop);
        throw ShowFailure(1, std::string("clip extraction from '") + archiveName + "' failed");
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
