// Times one full run of the data generator into a private temporary folder and reports the
// seconds it took and the size of the archive it wrote.
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
std::string generatorPath() {
    char self[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path = n > 0 ? std::string(self, size_t(n)) : std::string("./bench_datagen");
    return path.substr(0, path.find_last_of('/') + 1) + "datagen";
}
} // namespace

int main() {
    std::string generator = generatorPath();
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/datagen-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("bench_datagen: couldn't create a temporary folder");
        return 1;
    }
    std::string out = pattern + "/data.data";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {generator.data(), out.data(), nullptr};
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, generator.c_str(), &actions, nullptr, argv, environ) == 0) waitpid(child, &status, 0);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);

    struct stat info{};
    bool written = stat(out.c_str(), &info) == 0;
    unlink(out.c_str());
    rmdir(pattern.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !written) {
        std::fprintf(stderr, "bench_datagen: %s failed\n", generator.c_str());
        return 1;
    }
    std::printf("BENCH datagen_seconds %.2f s\n", seconds);
    std::printf("BENCH datagen_archive_megabytes %.2f MB\n", double(info.st_size) / (1024.0 * 1024.0));
    return 0;
}
