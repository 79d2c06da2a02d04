// Shared by the benchmark programs: clocks (wall, this thread's and this process's processor
// time), a scratch folder, the show data to measure with, and the frame-time report.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double threadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Processor time of every thread of this process, in seconds.
inline double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs program with words in folder on SDL's dummy drivers, without boxes and with its output
// dropped; its wall time in seconds, or -1 when it did not exit with 0.
inline double runHeadless(const std::string& program, const std::string& folder,
                          const std::vector<std::string>& words) {
    std::fflush(stdout); // nothing buffered is written twice by the child
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? secondsSince(start) : -1.0;
}

// A new private folder under $TMPDIR (or /tmp) named after the benchmark; "" when none can be made.
inline std::string makeScratchFolder(const std::string& prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}

// The default show data: data.data here, else in the build folder beside the program; "" when
// neither exists.
inline std::string findShowData(const char* program) {
    const std::string buildFolder = std::filesystem::absolute(program).parent_path().string();
    for (std::string candidate : {std::string("data.data"), buildFolder + "/data.data"})
        if (std::filesystem::exists(candidate)) return std::filesystem::absolute(candidate).string();
    return "";
}

// Draws 400 frames and prints the drawing thread's processor time per frame (median, p99), so
// that other programs on the machine do not count, with the wall-clock median beside it.
inline void reportFrameTimes(const char* piece, const char* part, const std::function<void()>& drawFrame) {
    std::vector<double> cpu, wall;
    for (int i = 0; i < 400; ++i) {
        auto begin = std::chrono::steady_clock::now();
        double cpuBegin = threadMs();
        drawFrame();
        cpu.push_back(threadMs() - cpuBegin);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    std::printf("BENCH %s_%s_median_ms %.4f ms\n", piece, part, cpu[cpu.size() / 2]);
    std::printf("BENCH %s_%s_p99_ms %.4f ms\n", piece, part, cpu[cpu.size() * 99 / 100]);
    std::printf("BENCH %s_%s_wall_median_ms %.4f ms\n", piece, part, wall[wall.size() / 2]);
    std::fflush(stdout);
}
