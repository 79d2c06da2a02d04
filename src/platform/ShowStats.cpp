// Present counting and resident-memory reading for the long-run figures.
#include "platform/ShowStats.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ShowStats {
namespace {
std::atomic<int64_t> presents{0};
std::atomic<int64_t> slowPresents{0};
std::chrono::steady_clock::time_point lastPresent;
} // namespace

bool isEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("TRIPTYCH_STATS");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}

void recordPresent() {
    if (!isEnabled()) return;
    const auto now = std::chrono::steady_clock::now();
    if (presents++ > 0 && now - lastPresent > std::chrono::milliseconds(20)) ++slowPresents;
    lastPresent = now;
}

int64_t presentCount() {
    return presents.load();
}

int64_t slowPresentCount() {
    return slowPresents.load();
}

int64_t residentKilobytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long long kilobytes = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lld kB", &kilobytes) == 1) break;
    std::fclose(status);
    return kilobytes;
}

void report(const char* moment) {
    if (!isEnabled()) return;
    std::fprintf(stderr, "triptych: stats: %s: resident %lld kB, presents %lld, slower than 20 ms %lld\n",
                 moment, (long long)residentKilobytes(), (long long)presentCount(),
                 (long long)slowPresentCount());
}
} // namespace ShowStats
