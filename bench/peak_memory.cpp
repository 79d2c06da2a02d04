// Peak resident memory of the show as a user runs it: a live show (no menu, in a window on the
// screen of DISPLAY when one is set, which also counts the X libraries' memory, else headless on
// SDL's dummy driver; ended by an interrupt after BENCH_SHOW_SECONDS, 30 by default, 0 runs it
// to the credits), a whole render at 25 frames per second, and the same render delivered as a
// 4K film. Each runs as a child process of the real executable in a scratch folder; the peak is
// the child's own maximum resident set.
#include "BenchSupport.h"
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Runs the show with words in folder (on the screen of DISPLAY when onScreen and one is set);
// interrupts it after quitAfterSeconds when positive. Returns the child's peak resident memory
// in megabytes, or a negative value when it failed.
double peakMegabytes(const std::string& show, const std::string& folder,
                     const std::vector<std::string>& words, int quitAfterSeconds, bool onScreen) {
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        setenv("TMPDIR", (folder + "/tmp").c_str(), 1);
        const char* display = std::getenv("DISPLAY");
        if (!onScreen || !display || !*display) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
        }
        std::vector<char*> argv{const_cast<char*>(show.c_str())};
        for (const std::string& word : words)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(show.c_str(), argv.data());
        _exit(127);
    }
    if (child < 0) return -1;
    int status = 0;
    rusage usage{};
    if (quitAfterSeconds > 0) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(quitAfterSeconds);
        while (wait4(child, &status, WNOHANG, &usage) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                kill(child, SIGINT); // the show finishes the piece it is in and shows the credits
                wait4(child, &status, 0, &usage);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    } else {
        wait4(child, &status, 0, &usage);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int, char** argv) {
    const std::filesystem::path build = std::filesystem::absolute(argv[0]).parent_path();
    const std::string show = (build / "triptych").string();
    std::string data;
    for (std::filesystem::path candidate : {std::filesystem::path("data.data"), build / "data.data"})
        if (data.empty() && std::filesystem::exists(candidate))
            data = std::filesystem::absolute(candidate).string();
    if (data.empty() || !std::filesystem::exists(show)) {
        std::printf("peak_memory: no data.data or no triptych in %s; nothing measured\n", build.c_str());
        return 0;
    }
    const char* seconds = std::getenv("BENCH_SHOW_SECONDS");
    const int showSeconds = seconds ? std::atoi(seconds) : 30;

    struct Run {
        const char* name;
        std::vector<std::string> words;
        int quitAfterSeconds;
        bool onScreen;
    };
    const Run runs[] = {
        {"show_peak_rss_megabytes", {"nomenu", "window"}, showSeconds, true},
        {"render_peak_rss_megabytes", {"video", "nomenu", "fps", "25", "codec=mjpeg"}, 0, false},
        {"render_deliver_4k_peak_rss_megabytes", {"video", "nomenu", "deliver=4k", "fps", "25", "codec=mjpeg"}, 0, false},
    };
    int status = 0;
    for (const Run& run : runs) {
        std::string folder = makeScratchFolder("peak-bench");
        if (folder.empty()) return 1;
        std::filesystem::create_directory(folder + "/tmp");
        std::filesystem::create_symlink(data, folder + "/data.data");
        double megabytes = peakMegabytes(show, folder, run.words, run.quitAfterSeconds, run.onScreen);
        if (megabytes < 0) {
            std::printf("peak_memory: the show failed for %s\n", run.name);
            status = 1;
        } else {
            std::printf("BENCH %s %.1f MB\n", run.name, megabytes);
        }
        std::filesystem::remove_all(folder);
    }
    return status;
}
