// The debug service: remembers the last diagnostic line and, when file output is on, appends
// lines at or above a level threshold to "debug.log". Also offers the fatal error: a
// FatalFailure that the shell shows in the "Fatal error!" box before exit code 1.
#pragma once

#include <cstdint>
#include <cstdio>

class DebugServer {
public:
    DebugServer(int8_t threshold, uint8_t toFile);
    ~DebugServer();
    DebugServer(const DebugServer&) = delete;
    DebugServer& operator=(const DebugServer&) = delete;

    void write(const char* text, int level);
    [[noreturn]] void fatal(const char* text);

    const char* getLastLine() const { return lastLine; }
    int32_t getLastLineLength() const { return lastLineLength; }
    bool isReady() const { return ready != 0; }

private:
    int8_t threshold;
    uint8_t toFile;
    char* lastLine = nullptr;
    int32_t lastLineLength = 0;
    FILE* file = nullptr;
    uint8_t ready = 0;
};

// The debug service created at start-up, or null before it exists (set by Servers).
DebugServer* getDebugServer();
void setDebugServer(DebugServer* server);
// Writes a line to the debug service if there is one.
void debugLog(const char* text, int level);
