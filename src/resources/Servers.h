// Start-up of the three process-wide services (debug, exception, file) and their accessors.
#pragma once

#include <cstdint>

class DebugServer;
class FileServer;

// The exception service: holds the debug service; the show calls nothing on it.
class ExceptionServer {
public:
    explicit ExceptionServer(DebugServer* log) : log(log) {}
    DebugServer* log;
    uint8_t flag = 0;
};

class Servers {
public:
    // Creates the services in order; a failure shows a "Fatal error!" box and exits with code 3.
    Servers(int8_t logThreshold, uint8_t logToFile, int32_t maxFiles);
    virtual ~Servers();
};

ExceptionServer* getExceptionServer();
// The file service; without one shows "Couldn't retrieve reference to FileServer!" and throws 0.
FileServer* getFileServer();
