// Start-up cost of the show's clips: extracts the three clips of data.data (working directory,
// else the repository root or its build folder) and decodes them concurrently as the show
// does; prints `BENCH clip_decode_seconds` (wall clock), `clip_decode_cpu_seconds` (all threads),
// `clip_decoded_megabytes` and `clip_decode_peak_rss_megabytes`.
#include "media/clips/ClipLibrary.h"
#include "media/clips/VideoClip.h"
#include "platform/Settings.h"
#include "resources/ClipExtraction.h"
#include "resources/FileServer.h"
#include "resources/ShowClips.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// The folder holding data.data, or an empty path.
fs::path findShowData() {
    std::vector<fs::path> candidates = {fs::current_path(), fs::current_path() / "build",
                                        fs::current_path().parent_path(),
                                        fs::current_path().parent_path() / "build"};
    if (const char* source = std::getenv("TRIPTYCH_SOURCE_DIR")) {
        candidates.push_back(source);
        candidates.push_back(fs::path(source) / "build");
    }
    for (const fs::path& folder : candidates)
        if (fs::exists(folder / "data.data")) return folder;
    return {};
}

// Processor time of all threads so far (user and system), which other load on the machine
// does not inflate the way it does the wall-clock time.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024.0 / 1e6;
}

} // namespace

int main() {
    fs::path folder = findShowData();
    if (folder.empty()) {
        std::fprintf(stderr, "bench_clip_decode: no data.data found (run datagen first); skipped\n");
        return 0;
    }
    fs::current_path(folder);
    Settings& settings = Settings::instance();
    settings.set(Settings::BitsPerPixel, 32);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);

    FileServer server(nullptr, 200);
    try {
        extractClips(&server);
    } catch (int) {
        return 1;
    }
    auto begin = std::chrono::steady_clock::now();
    double processorBegin = processorSeconds();
    prefetchShowClips();
    auto clipOf = [](ShowClipId id) {
        const ShowClip& clip = showClips[id];
        return std::make_unique<VideoClip>(tempClipPath(clip.fileName), clip.lengthMs, clip.framesPerSecond, true);
    };
    std::unique_ptr<VideoClip> flight = clipOf(flightClip), tunnel = clipOf(tunnelClip), solids = clipOf(solidsClip);
    VideoClip& one = *flight;
    VideoClip& two = *tunnel;
    VideoClip& three = *solids;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    double processor = processorSeconds() - processorBegin;
    removeTempClips();

    double bytes = 0.0;
    for (const VideoClip* clip : {&one, &two, &three})
        bytes += double(clip->getFrameCount()) * clip->getWidth() * clip->getHeight() * 3;
    std::printf("BENCH clip_decode_seconds %.3f s\n", seconds);
    std::printf("BENCH clip_decode_cpu_seconds %.3f s\n", processor);
    std::printf("BENCH clip_decoded_megabytes %.1f MB\n", bytes / 1e6);
    std::printf("BENCH clip_decode_peak_rss_megabytes %.1f MB\n", peakResidentMegabytes());
    return 0;
}
