// Piece two at its busiest and rendered whole. Frame cases, each the clip mix and the filter
// stage of one frame without presenting, on the show's own clips (read from data.data):
// the cross-fade with the roll and the noisy smear (70 s), the threshold envelope with the noisy
// smear (67 s) and the band (92.3 s). Prints `BENCH piece_two_<case>_median_ms` and `_p99_ms`.
// Then piece two rendered completely at 25 frames per second in a child process, with the
// default codec and with mjpeg: `BENCH render_piece_two_realtime_ratio[_mjpeg]` (the argument
// "frames" leaves the renders out).
#include "BenchSupport.h"
#include "media/clips/ClipLibrary.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/PieceServices.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/FilterTracks.h"
#include "pieces/two/Filters.h"
#include "pieces/two/PieceTwo.h"
#include "pieces/two/PieceTwoTimeline.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"
#include "platform/ShowRandom.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"
#include "resources/ShowClips.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Plays the timeline at 25 frames per second up to atMs, then draws frames there with the
// cross-fade half way (the clock stands still, so every measured frame does the same work).
void measure(ClipLibrary& clips, const char* name, int32_t atMs, const std::string& clipOne,
             const std::string& clipTwo) {
    FrameBuffer frameBuffer(640, 240, true);
    clips.setTarget(&frameBuffer);
    FilterTracks tracks;
    buildSmearTracks(tracks);
    buildFilterTracks(tracks);
    CutDirector director;
    ClipMixer mixer(clips);
    mixer.setClipNames(clipOne, clipTwo);
    PieceTwoFilters filters(tracks);
    filters.setSeed(1);
    PieceTwoTimeline timeline(mixer, filters);
    int32_t now = 0;
    auto frame = [&] {
        frameBuffer.setTop(40);
        director.advance(CutDirector::listPosition, CutDirector::listClip);
        timeline.step(now, director, &frameBuffer);
        frameBuffer.setTop(0);
    };
    for (now = 0; now < atMs; now += 40)
        frame();
    now = atMs;
    frame();
    director.mix = 0.5f;
    std::fprintf(stderr, "%s at %d ms: filters %d, visible %d, clips %d and %d\n", name, atMs,
                 int(filterGroupAt(atMs)), int(timeline.areClipsVisible()), director.currentClip,
                 director.previousClip);
    reportFrameTimes("piece_two", name, frame);
    clips.setTarget(nullptr);
}

// Renders piece two completely as the shell runs it in video mode, in a child process working in
// folder (which holds the show data), and prints its figures. False when the child failed.
bool renderPieceTwo(const std::string& folder, const char* codec) {
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
        context.seed = 1;
        auto* piece = new PieceTwo();
        piece->load(context);
        services->clock.stop();

        auto start = std::chrono::steady_clock::now();
        const double cpuStart = processSeconds();
        piece->setup(context);
        piece->run(context);
        piece->stop();
        piece->release();
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double showSeconds = 140.0; // the piece ends on the frame after 140 s
        std::string suffix = std::string(codec) == "lossless" ? "" : std::string("_") + codec;
        std::printf("BENCH render_piece_two_wall_seconds%s %.2f s\n", suffix.c_str(), wall);
        std::printf("BENCH render_piece_two_realtime_ratio%s %.2f x\n", suffix.c_str(), showSeconds / wall);
        // Processor time of all threads (drawing, encoding, sound): what the render costs
        // whatever else runs on the machine.
        std::printf("BENCH render_piece_two_cpu_seconds%s %.2f s\n", suffix.c_str(), processSeconds() - cpuStart);
        std::fflush(stdout);
        removeTempClips(); // _exit skips the exit handlers that would remove the clips
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool framesOnly = argc > 1 && std::string(argv[1]) == "frames"; // skip the renders
    std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("piece_two: no data.data here or in the build folder; nothing measured\n");
        return 0;
    }
    std::string folder = makeScratchFolder("piece-two-bench");
    if (folder.empty()) return 1;
    std::filesystem::create_symlink(data, folder + "/data.data");

    for (const char* codec : {"lossless", "mjpeg"}) {
        if (framesOnly) break;
        if (!renderPieceTwo(folder, codec)) std::printf("piece_two: render failed with codec=%s\n", codec);
        std::filesystem::remove(folder + "/piece_2.avi");
    }

    // The frame cases, in this process, on the clips extracted from the same data.
    std::string here = std::filesystem::current_path().string();
    if (chdir(folder.c_str()) != 0) return 1;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    new Servers(11, 0, 200);
    extractClips(getFileServer());
    writeDisplaySettings(640, 480);
    ClipLibrary clips;
    const std::string clipOne = tempClipPath(showClips[flightClip].fileName);
    const std::string clipTwo = tempClipPath(showClips[tunnelClip].fileName);
    clips.addClips(
        {{clipOne, showClips[flightClip].lengthMs}, {clipTwo, showClips[tunnelClip].lengthMs}});
    measure(clips, "crossfade_roll_smear", 70000, clipOne, clipTwo);
    measure(clips, "threshold_smear", 67000, clipOne, clipTwo);
    measure(clips, "band", 92300, clipOne, clipTwo);
    clips.clear();
    removeTempClips();
    if (chdir(here.c_str()) != 0) return 1;
    std::filesystem::remove_all(folder);
    return 0;
}
