// The process-wide quit flag behind Sys_RequestQuit / Sys_IsQuitRequested.
#include "platform/QuitRequest.h"

#include <atomic>

namespace {
std::atomic<int> quitRequested{0};
static_assert(std::atomic<int>::is_always_lock_free, "signal handlers set the quit request");
} // namespace

void Sys_RequestQuit() { quitRequested.store(1); }

bool Sys_IsQuitRequested() { return quitRequested.load() != 0; }

void Sys_ClearQuitRequest() { quitRequested.store(0); }
