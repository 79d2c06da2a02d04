// Debug service: last-line memory, optional "debug.log", fatal failures that end with code 1.
#include "platform/DebugServer.h"

#include "platform/FatalFailure.h"

#include <cstdlib>
#include <cstring>
#include <new>

DebugServer::DebugServer(int8_t threshold_, uint8_t toFile_) : threshold(threshold_), toFile(toFile_) {
    ready = 1;
    if (toFile == 1) {
        file = std::fopen("debug.log", "w+");
        if (!file) fatal("Error - Can't create log-file! Aborting...");
    }
}

DebugServer::~DebugServer() {
    delete[] lastLine;
    if (file) std::fclose(file);
}

void DebugServer::write(const char* text, int level) {
    if (!text) text = ""; // a missing text is kept as an empty line rather than read through null
    int32_t length = int32_t(std::strlen(text));
    if (!lastLine || lastLineLength < length) {
        delete[] lastLine;
        lastLine = new (std::nothrow) char[size_t(length) + 1];
        if (!lastLine) fatal("Error - out of memory! Aborting...");
        lastLineLength = length;
    }
    std::memcpy(lastLine, text, size_t(length) + 1);
    if (level >= threshold && toFile == 1 && file) {
        std::fprintf(file, "%s\n", text);
        std::fflush(file);
    }
}

void DebugServer::fatal(const char* text) { throw FatalFailure(text, "Fatal error!", 1); }

namespace {
DebugServer* theDebugServer = nullptr;
}

DebugServer* getDebugServer() { return theDebugServer; }
void setDebugServer(DebugServer* server) { theDebugServer = server; }

void debugLog(const char* text, int level) {
    if (DebugServer* log = getDebugServer()) log->write(text, level);
}
