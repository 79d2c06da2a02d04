// Runs the show's program as a child process with a time limit.
#include "render/ShowProcess.h"

#include "TestFiles.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::string buildFolder() {
    const char* folder = std::getenv("TRIPTYCH_BUILD_DIR");
    return folder && *folder ? folder : std::filesystem::current_path().string();
}
} // namespace

ShowRun runShow(const std::string& folder, const std::vector<std::string>& words, bool noDisplay,
                int timeoutSeconds, const ShowInterruption& interruption) {
    ShowRun run;
    std::string program = buildFolder() + "/triptych";
    std::string outputPath = folder + "/.show-output";
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        if (noDisplay)
            for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER", "DISPLAY", "WAYLAND_DISPLAY"})
                unsetenv(name);
        else
            for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"})
                setenv(name, "dummy", 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& word : words)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    bool signalled = interruption.signal == 0;
    int status = 0;
    for (int waitedMs = 0;; waitedMs += 20) {
        if (waitpid(child, &status, WNOHANG) == child) break;
        if (waitedMs > timeoutSeconds * 1000) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::error_code notYet;
        const auto size = std::filesystem::file_size(folder + "/" + interruption.whenFileGrows, notYet);
        if (!signalled && !notYet && long(size) > interruption.atBytes) {
            kill(child, interruption.signal);
            signalled = true;
        }
        usleep(20 * 1000);
    }
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.output = readFileText(outputPath);
    std::filesystem::remove(outputPath);
    return run;
}

bool linkShowData(const std::string& folder) {
    const std::string data = buildFolder() + "/data.data";
    if (!std::filesystem::exists(data)) return false;
    std::filesystem::create_symlink(data, folder + "/data.data");
    return true;
}

bool isSignalPending(int process, int signalNumber) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("ShdPnd:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signalNumber - 1)) & 1;
    return false;
}
