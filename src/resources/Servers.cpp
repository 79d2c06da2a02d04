// Start-up of the debug and file services, and the allocation-failure handler.
#include "resources/Servers.h"

#include "platform/DebugServer.h"
#include "platform/Errors.h"
#include "platform/FatalFailure.h"
#include "platform/ShowFailure.h"
#include "resources/FileServer.h"

#include <cstdlib>
#include <new>

namespace {
FileServer* theFileServer = nullptr;

// Out of memory is reported as the show's out-of-memory error; deriving from std::bad_alloc
// keeps the standard allocation contract for code that expects it.
struct OutOfMemoryError : std::bad_alloc, ExceptionType {
    OutOfMemoryError() : ExceptionType(Errors::outOfMemory) {}
};

void outOfMemoryHandler() { throw OutOfMemoryError(); }

// The shell shows the "Fatal error!" box and ends the process with exit code 3.
[[noreturn]] void startupFailure(const char* text) { throw FatalFailure(text, "Fatal error!", 3); }
} // namespace

Servers::Servers(int8_t logThreshold, uint8_t logToFile, int32_t maxFiles) {
    DebugServer* debug = new (std::nothrow) DebugServer(logThreshold, logToFile);
    if (!debug) startupFailure("Error - Couldn't initialize debug-server! Aborting...");
    setDebugServer(debug);
    theFileServer = new (std::nothrow) FileServer(debug, maxFiles);
    if (!theFileServer) startupFailure("Error - Couldn't initialize file-server! Aborting...");
    std::set_new_handler(outOfMemoryHandler);
}

Servers::~Servers() {
    delete theFileServer;
    theFileServer = nullptr;
    delete getDebugServer();
    setDebugServer(nullptr);
}

FileServer* getFileServer() {
    if (!theFileServer) {
        throw ShowFailure(0, "couldn't retrieve the file service: the services were not created")
            .withNotice("Couldn't retrieve reference to FileServer!", "Error!");
    }
    return theFileServer;
}
