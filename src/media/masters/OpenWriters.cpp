// The registry of open render files and the exit handlers that finish them. Files are finished
// under one lock, so an exit handler on another thread never finishes a file while its owner
// does, nor one its owner is about to delete.
#include "media/masters/OpenWriters.h"

#include "media/masters/EncoderThread.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// Never destroyed: exit handlers and other threads may use them while statics go away.
std::mutex& registryLock() {
    static auto* lock = new std::mutex();
    return *lock;
}

std::vector<EncoderThread*>& openWriters() {
    static auto* writers = new std::vector<EncoderThread*>();
    return *writers;
}

void finishAll() {
    for (EncoderThread* output : openWriters())
        output->finish();
    openWriters().clear();
}

void finishAtExit() {
    std::lock_guard<std::mutex> guard(registryLock());
    finishAll();
}

// The hurried exit runs on the watchdog thread while the main thread still runs: the lock stays
// taken, so nothing opens, writes or deletes a file until the process is gone.
void finishAtQuickExit() {
    registryLock().lock();
    finishAll();
}

} // namespace

void OpenWriters::add(EncoderThread* output) {
    static bool exitHandlersInstalled = false;
    std::lock_guard<std::mutex> guard(registryLock());
    if (!exitHandlersInstalled) {
        std::atexit(finishAtExit);
        std::at_quick_exit(finishAtQuickExit);
        exitHandlersInstalled = true;
    }
    openWriters().push_back(output);
}

int OpenWriters::finish(EncoderThread* output) {
    std::lock_guard<std::mutex> guard(registryLock());
    auto& writers = openWriters();
    auto at = std::find(writers.begin(), writers.end(), output);
    if (at == writers.end()) return 0;
    writers.erase(at);
    return output->finish();
}
