// Render speed: the AVI writer alone on piece-like synthetic frames in every codec, and piece
// one rendered completely at 25 frames per second (when the show data exists) in every codec.
#include "BenchSupport.h"
#include "media/masters/RenderFile.h"
#include "media/masters/RenderOutput.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/PieceServices.h"
#include "pieces/one/PieceOne.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

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
    const int32_t frames = 250;
    std::vector<uint8_t> frame(640 * 480 * 3);
    std::string path = folder + "/writer_" + codec + ".avi";
    double drawing = 0;
    auto start = std::chrono::steady_clock::now();
    {
        RenderFileSettings settings;
        settings.fileName = path;
        settings.codecName = codec;
        static auto* sound = new SoundSystem(); // never opened: the writer has no sound here
        static auto* output = new RenderOutput(*sound, RenderReport{});
        RenderFile writer(settings, *output);
        writer.readFramesFrom(frame.data(), 0);
        for (int32_t n = 0; n < frames; ++n) {
            auto drawStart = std::chrono::steady_clock::now();
            drawFrame(frame, n);
            drawing += secondsSince(drawStart);
            writer.writeFrame(n * 100 / frames);
        }
    }
    double seconds = secondsSince(start) - drawing;
    std::filesystem::remove(path);
    std::printf("BENCH render_writer_%s_frames_per_second %.1f frames/s\n", codec, frames / seconds);
}

// Renders piece one completely, as the shell runs it in video mode, in a child process working
// in folder (which holds the show data), and prints its figures. False when the child failed.
bool renderPieceOne(const std::string& folder, const char* codec) {
    std::fflush(stdout); // the child must not print what the parent has buffered
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        std::freopen("/dev/null", "w", stderr);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        new Servers(11, 0, 200);
        extractClips(getFileServer());
        auto* services = new PieceServices(*getFileServer());
        auto* display = new DisplayPair(DisplayPair::create(640, 480));
        PieceContext context = services->contextFor(display->device.get(), display->frameBuffer.get());
        context.videoMode = true;
        context.framesPerSecond = 25;
        context.codecName = codec;
        auto* piece = new PieceOne();
        piece->load(context);
        services->clock.setTime(0);
        services->clock.stop();

        auto start = std::chrono::steady_clock::now();
        double cpuStart = processSeconds();
        piece->setup(context);
        piece->run(context);
        piece->stop();
        piece->release();
        double wall = secondsSince(start);
        double cpu = processSeconds() - cpuStart;

        const double showSeconds = 4.028 + 115.0 + 15.5; // piece one's three parts
        std::string suffix = std::string(codec) == "lossless" ? "" : std::string("_") + codec;
        std::printf("BENCH render_piece_one_wall_seconds%s %.2f s\n", suffix.c_str(), wall);
        std::printf("BENCH render_piece_one_realtime_ratio%s %.2f x\n", suffix.c_str(), showSeconds / wall);
        // Processor time of all threads: what the render costs whatever else runs on the machine.
        std::printf("BENCH render_piece_one_cpu_seconds%s %.2f s\n", suffix.c_str(), cpu);
        std::fflush(stdout);
        removeTempClips(); // _exit skips the exit handlers that would remove the clips
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int, char** argv) {
    std::string folder = makeScratchFolder("render-bench");
    if (folder.empty()) return 1;
    const char* codecs[] = {"lossless", "mjpeg", "mpeg", "raw"};
    for (const char* codec : codecs) benchWriter(folder, codec);

    std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("render: no data.data here or in the build folder; piece one not rendered\n");
    } else {
        std::filesystem::create_symlink(data, folder + "/data.data");
        for (const char* codec : codecs) {
            if (!renderPieceOne(folder, codec)) std::printf("render: piece one failed with codec=%s\n", codec);
            for (const char* name : {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"})
                std::filesystem::remove(folder + "/" + name);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
