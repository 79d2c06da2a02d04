// Render speed: the AVI writer alone on piece-like synthetic frames in every codec, and piece
// one rendered completely by the show's program (when the show data exists) in every codec.
#include "media/VideoFile.h"
#include "platform/SystemClock.h"
#include "shell/ShowState.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string makeScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/render-bench-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}

// A black 640x480 frame with a textured 320x240 box in the middle that moves with n, like
// piece one's main part.
void drawFrame(std::vector<uint8_t>& frame, int32_t n) {
    std::fill(frame.begin(), frame.end(), uint8_t(0));
    for (int32_t y = 120; y < 360; ++y)
        for (int32_t x = 160; x < 480; ++x) {
            uint8_t* pixel = &frame[(size_t(y) * 640 + x) * 3];
            pixel[0] = uint8_t((x + n) * 3 ^ y);
            pixel[1] = uint8_t((y + 2 * n) * 5);
            pixel[2] = uint8_t((x * y + n) >> 4);
        }
}

void benchWriter(const std::string& folder, const char* codec) {
    Show::codecName = codec;
    const int32_t frames = 250;
    std::vector<uint8_t> frame(640 * 480 * 3);
    std::string path = folder + "/writer_" + codec + ".avi";
    double drawing = 0;
    auto start = std::chrono::steady_clock::now();
    {
        VideoFile writer(nullptr, path.c_str(), 640, 480, true, 25, 44100, 16);
        writer.setSourceBuffer(frame.data(), nullptr);
        for (int32_t n = 0; n < frames; ++n) {
            auto drawStart = std::chrono::steady_clock::now();
            drawFrame(frame, n);
            drawing += secondsSince(drawStart);
            writer.update(n * 100 / frames);
        }
    }
    double seconds = secondsSince(start) - drawing;
    std::filesystem::remove(path);
    std::printf("BENCH render_writer_%s_frames_per_second %.1f frames/s\n", codec, frames / seconds);
}

// Runs the show's program on piece one's data and returns the wall time, or -1.
double renderShow(const std::string& program, const std::string& data, const std::string& folder,
                  const char* codec) {
    std::filesystem::create_symlink(data, folder + "/data.data");
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        std::string codecWord = std::string("codec=") + codec;
        execl(program.c_str(), program.c_str(), "video", "nomenu", codecWord.c_str(), (char*)nullptr);
        _exit(127);
    }
    // The show goes on to pieces two and three; piece one is done once its last file is
    // finished, which happens at the end of the show, so the whole run is timed and the other
    // pieces' files are left out of the show time.
    int status = 0;
    waitpid(child, &status, 0);
    double seconds = secondsSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return seconds;
}

} // namespace

int main(int, char** argv) {
    std::string folder = makeScratchFolder();
    if (folder.empty()) return 1;
    const char* codecs[] = {"lossless", "mjpeg", "mpeg", "raw"};
    for (const char* codec : codecs) benchWriter(folder, codec);

    std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string program = buildFolder + "/triptych";
    std::string data;
    for (std::string candidate : {std::string("data.data"), buildFolder + "/data.data"})
        if (std::filesystem::exists(candidate)) data = std::filesystem::absolute(candidate).string();
    if (data.empty() || !std::filesystem::exists(program)) {
        std::printf("render: no data.data or no show program; piece one not rendered\n");
    } else {
        for (const char* codec : codecs) {
            std::string runFolder = folder + "/" + codec;
            std::filesystem::create_directory(runFolder);
            double seconds = renderShow(program, data, runFolder, codec);
            if (seconds < 0) {
                std::printf("render: the show failed with codec=%s\n", codec);
                continue;
            }
            const double showSeconds = 4.028 + 115.0 + 15.5; // piece one's three parts
            std::string suffix = std::string(codec) == "lossless" ? "" : std::string("_") + codec;
            std::printf("BENCH render_piece_one_wall_seconds%s %.2f s\n", suffix.c_str(), seconds);
            std::printf("BENCH render_piece_one_realtime_ratio%s %.2f x\n", suffix.c_str(), showSeconds / seconds);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
