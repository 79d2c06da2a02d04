// Start-up of the process-wide services (the debug service and the file service) and the
// file service's accessor.
#pragma once

#include <cstdint>

class DebugServer;
class FileServer;

class Servers {
public:
    // Creates the services in order; a failure throws a FatalFailure (the "Fatal error!" box,
    // exit code 3). Also installs the allocation-failure handler.
    Servers(int8_t logThreshold, uint8_t logToFile, int32_t maxFiles);
    virtual ~Servers();
};

// The file service; before the services exist, a ShowFailure (code 0) whose notice is the
// "Couldn't retrieve reference to FileServer!" box.
FileServer* getFileServer();
