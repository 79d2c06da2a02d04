// Piece three: drawing its busiest frame (three photographs dissolving at once over the longest
// row table), rendering the whole piece at 25 frames per second in the default codec, and the
// show's start-up from exec to the first menu frame with every piece loaded.
// Prints `BENCH piece_three_busiest_median_ms`, `_p99_ms`, `BENCH render_piece_three_realtime_ratio`
// and `BENCH startup_seconds`.
#include "BenchSupport.h"
#include "media/clips/ClipLibrary.h"
#include "media/clips/ProductTable.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/PieceServices.h"
#include "pieces/three/ClipScanlines.h"
#include "pieces/three/ImagePair.h"
#include "pieces/three/NoiseFloor.h"
#include "pieces/three/PairSchedule.h"
#include "pieces/three/PieceThree.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/FileServer.h"
#include "resources/Servers.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

void useFrameBufferSettings() {
    writeDisplaySettings(640, 480);
}

// A picture of noise the size of one of the show's photographs, with a fade map of noise.
std::shared_ptr<const PairPictures> noisePictures(int32_t width, int32_t height, uint32_t seed) {
    std::vector<uint8_t> photograph(size_t(width) * height * 3), fadeMap(photograph.size());
    for (size_t i = 0; i < photograph.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        photograph[i] = uint8_t(seed >> 24);
        fadeMap[i] = uint8_t(seed >> 16);
    }
    return convertPairPictures("photograph", photograph.data(), width, height, "fade map", fadeMap.data(),
                               width, height);
}

// The busiest frame: cleared screen, a clip frame copied into the layer, the longest row table
// (23 lines), and the three largest photographs at their places, all three dissolving.
void benchBusiestFrame(const std::string& data) {
    useFrameBufferSettings();
    FrameBuffer screen(640, 480, false);
    std::vector<RowTable> tables = buildRowTables();
    auto longest = std::max_element(tables.begin(), tables.end(),
                                    [](const RowTable& a, const RowTable& b) { return a.size() < b.size(); });
    static const ScanlineCue noCues[] = {{-1, -1}};
    ClipLibrary clips;
    ClipScanlines scanlines(clips, "no clip", {*longest}, noCues);
    std::vector<uint32_t> clipFrame(640 * 160);
    for (size_t i = 0; i < clipFrame.size(); ++i)
        clipFrame[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    // The three largest photographs (9, 15 and 1: 320x256, 320x240, 256x288) where pairs 12, 3
    // and 0 place them, from the show data; without it, noise pictures of their sizes.
    if (!data.empty()) {
        new Servers(11, 0, 200);
        getFileServer()->openArchive(data.c_str());
    }
    const int32_t sizes[3][2] = {{320, 256}, {320, 240}, {256, 288}};
    std::vector<ImagePair> pairs;
    if (!data.empty()) { // what the photographs add to the start-up: decoding the 11 distinct pairs
        double start = threadMs();
        for (const PairPlan& plan : pairPlans)
            loadPairPictures(*getFileServer(), plan.photograph, plan.fadeMap);
        std::printf("BENCH piece_three_photographs_load_ms %.1f ms (all 15, without sharing)\n",
                    threadMs() - start);
    }
    const int32_t busiest[3] = {12, 3, 0};
    for (int32_t k = 0; k < 3; ++k) {
        const PairPlan& plan = pairPlans[busiest[k]];
        auto pictures = data.empty() ? noisePictures(sizes[k][0], sizes[k][1], uint32_t(k + 1))
                                     : loadPairPictures(*getFileServer(), plan.photograph, plan.fadeMap);
        pairs.emplace_back(pictures, plan.centreX, plan.centreY, pairPlans[0].reveal, pairPlans[0].gain);
    }
    std::printf("piece_three: busiest frame with %s pictures\n", data.empty() ? "noise" : "the show's");
    static const int32_t startNow[] = {0, 0, 0, -1};
    PairStarts starts{startNow};
    productTable();

    std::vector<double> cpu, wall;
    for (int32_t frame = 0; frame < 3000; ++frame) {
        // From 300 ms after the start on, through the sharp edge and the long rise of the reveal.
        const int32_t now = frame == 0 ? 1 : 300 + (frame * 7) % 7000;
        auto wallStart = std::chrono::steady_clock::now();
        double start = threadMs();
        std::memset(screen.getPixels(), 0, 640 * 480 * 4);
        std::memcpy(scanlines.getLayer()->getPixels(), clipFrame.data(), clipFrame.size() * 4);
        scanlines.draw(&screen, now, 40.0f);
        for (ImagePair& pair : pairs)
            pair.draw(screen.getPixels32(), 640, now, starts);
        if (frame == 0) continue; // the frame that starts the pairs draws nothing of them
        cpu.push_back(threadMs() - start);
        wall.push_back(secondsSince(wallStart) * 1e3);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    std::printf("BENCH piece_three_busiest_median_ms %.3f ms\n", cpu[cpu.size() / 2]);
    std::printf("BENCH piece_three_busiest_p99_ms %.3f ms\n", cpu[cpu.size() * 99 / 100]);
    std::printf("BENCH piece_three_busiest_wall_median_ms %.3f ms\n", wall[wall.size() / 2]);
}

// The whole piece at 25 frames per second as the frame loop draws it (without the clip, which
// is a copy of 640 x 160 pixels): the fifteen pairs of the show data, the row tables with their
// cues and the noise floor. Up to six pairs dissolve at once around 56 s.
void benchTimeline() {
    FrameBuffer screen(640, 480, false);
    ClipLibrary clips;
    ClipScanlines scanlines(clips, "no clip", buildRowTables(), scanlineCues);
    NoiseFloor noiseFloor;
    std::vector<ImagePair> pairs;
    for (const PairPlan& plan : pairPlans)
        pairs.emplace_back(loadPairPictures(*getFileServer(), plan.photograph, plan.fadeMap), plan.centreX, plan.centreY,
                           plan.reveal, plan.gain);
    PairStarts starts{pairStartTimes};
    std::vector<double> cpu;
    double slowest = 0;
    int32_t slowestAt = 0;
    for (int32_t frame = 0; frame * 40 < 106000; ++frame) {
        const int32_t now = frame * 40;
        if (noiseFloor.getTrigger().isDue(now)) noiseFloor.getTrigger().fire(now);
        double start = threadMs();
        std::memset(screen.getPixels(), 0, 640 * 480 * 4);
        scanlines.draw(&screen, now, noiseFloor.floorAt(now));
        for (ImagePair& pair : pairs)
            pair.draw(screen.getPixels32(), 640, now, starts);
        cpu.push_back(threadMs() - start);
        if (cpu.back() > slowest) slowest = cpu.back(), slowestAt = now;
    }
    std::sort(cpu.begin(), cpu.end());
    std::printf("BENCH piece_three_timeline_median_ms %.3f ms\n", cpu[cpu.size() / 2]);
    std::printf("BENCH piece_three_timeline_p99_ms %.3f ms\n", cpu[cpu.size() * 99 / 100]);
    std::printf("BENCH piece_three_timeline_max_ms %.3f ms (at %d ms)\n", slowest, slowestAt);
}

// Renders piece three completely at 25 frames per second in the default codec, as the shell
// runs it, in a child process working in folder (which holds the show data).
bool benchRender(const std::string& folder) {
    std::fflush(stdout);
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
        auto* piece = new PieceThree();
        piece->load(context);
        auto start = std::chrono::steady_clock::now();
        const double cpuStart = processSeconds(), drawingStart = threadMs();
        piece->setup(context);
        piece->run(context);
        piece->stop();
        piece->release();
        double wall = secondsSince(start);
        std::printf("BENCH render_piece_three_wall_seconds %.2f s\n", wall);
        // Processor time of all threads, and of the drawing thread alone (drawing, read-back,
        // sound capture); the rest is the encoder's thread.
        std::printf("BENCH render_piece_three_cpu_seconds %.2f s\n", processSeconds() - cpuStart);
        std::printf("BENCH render_piece_three_drawing_thread_cpu_seconds %.2f s\n",
                    (threadMs() - drawingStart) / 1e3);
        std::printf("BENCH render_piece_three_realtime_ratio %.2f x\n", 106.0 / wall);
        std::fflush(stdout);
        removeTempClips(); // _exit skips the exit handlers that would remove the clips
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Seconds from exec of the show's program to its first menu frame (every piece loaded first),
// headless; the show is then asked to quit. Negative when the line never came.
double startupSeconds(const std::string& program, const std::string& folder) {
    int lines[2];
    if (pipe(lines) != 0) return -1;
    std::fflush(stdout);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        dup2(lines[1], STDERR_FILENO);
        close(lines[0]);
        std::freopen("/dev/null", "w", stdout);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("TRIPTYCH_NO_BOXES", "1", 1);
        setenv("TRIPTYCH_MARK_MENU", "1", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(lines[1]);
    std::string text;
    double seconds = -1;
    char buffer[512];
    for (ssize_t got; (got = read(lines[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, size_t(got));
        if (text.find("first menu frame") != std::string::npos) {
            seconds = secondsSince(start);
            break;
        }
    }
    kill(child, SIGTERM); // ends the menu; the show then leaves as after Escape
    close(lines[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return seconds;
}

} // namespace

int main(int, char** argv) {
    std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("piece_three: no data.data here or in the build folder; no render or start-up figures\n");
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "piece-three-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return 1;
        const std::string folder = pattern;
        std::filesystem::create_symlink(data, folder + "/data.data");
        if (!benchRender(folder)) std::printf("piece_three: the render failed\n");
        std::filesystem::remove(folder + "/piece_3.avi");
        std::vector<double> startups;
        for (int run = 0; run < 3; ++run)
            startups.push_back(startupSeconds(buildFolder + "/triptych", folder));
        std::sort(startups.begin(), startups.end());
        if (startups[1] < 0)
            std::printf("piece_three: the show never showed its menu\n");
        else
            std::printf("BENCH startup_seconds %.3f s\n", startups[1]);
        std::filesystem::remove_all(folder);
    }
    // Last, in this process: it opens the show data itself.
    benchBusiestFrame(data);
    if (!data.empty()) benchTimeline();
    return 0;
}
