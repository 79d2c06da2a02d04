// The whole show rendered at 25 frames per second in the default codec, as a user runs it
// (`triptych video nomenu`), against real time, and against the encoder alone on the same frames.
#include "BenchSupport.h"
#include "media/clips/ClipReader.h"
#include "media/masters/AviEncoder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int32_t framesPerSecond = 25;
const char* const partFiles[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi", "piece_2.avi", "piece_3.avi"};

// The frame count of a rendered file's main header (the writer fills it in when it finishes).
int64_t totalFrames(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    uint8_t header[52] = {};
    const bool read = std::fread(header, 1, sizeof header, file) == sizeof header;
    std::fclose(file);
    if (!read || std::memcmp(header + 24, "avih", 4) != 0) return 0;
    return int64_t(header[48]) | int64_t(header[49]) << 8 | int64_t(header[50]) << 16 | int64_t(header[51]) << 24;
}

// Seconds the encoder alone takes for every frame of the rendered files, read back a hundred
// frames at a time outside the timing; the show seconds those frames cover go to showSeconds.
double encodeAlone(const std::string& folder, double& showSeconds) {
    double encoding = 0.0;
    std::vector<uint8_t> frames(size_t(100) * 640 * 480 * 3);
    for (const char* name : partFiles) {
        const std::string path = folder + "/" + name;
        if (!std::filesystem::exists(path)) continue;
        ClipReader reader(path);
        AviEncoder encoder;
        AviVideoFormat format;
        if (encoder.prepare(folder + "/encoder-only.avi") < 0 || encoder.createVideoStream(format) < 0 ||
            encoder.openFile() < 0 || encoder.begin() < 0)
            return -1.0;
        const int64_t last = totalFrames(path) - 1;
        for (int64_t first = 0; first <= last; first += 100) {
            const int64_t count = std::min<int64_t>(100, last + 1 - first);
            for (int64_t k = 0; k < count; ++k)
                reader.readFrame(frames.data() + size_t(k) * 640 * 480 * 3,
                                 int32_t((first + k) * 1000 / framesPerSecond), false);
            auto start = std::chrono::steady_clock::now();
            for (int64_t k = 0; k < count; ++k)
                if (encoder.writeVideoFrame(frames.data() + size_t(k) * 640 * 480 * 3, false) < 0) return -1.0;
            encoding += secondsSince(start);
        }
        auto start = std::chrono::steady_clock::now();
        encoder.finish();
        encoding += secondsSince(start);
        showSeconds += double(last + 1) / framesPerSecond;
    }
    std::filesystem::remove(folder + "/encoder-only.avi");
    return encoding;
}

} // namespace

int main(int, char** argv) {
    const std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("render_show: no data.data here or in the build folder\n");
        return 0;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "render-show-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::string folder = pattern;
    std::filesystem::create_symlink(data, folder + "/data.data");
    const double wall = runHeadless(buildFolder + "/triptych", folder, {"video", "nomenu"});
    if (wall < 0) {
        std::printf("render_show: the render failed\n");
    } else {
        double showSeconds = 0.0;
        const double encoder = encodeAlone(folder, showSeconds);
        std::printf("BENCH render_show_wall_seconds %.2f s\n", wall);
        std::printf("BENCH render_show_realtime_ratio %.2f x\n", showSeconds / wall);
        if (encoder > 0) {
            std::printf("BENCH render_show_encoder_only_seconds %.2f s\n", encoder);
            std::printf("BENCH render_show_vs_encoder_only %.3f x\n", wall / encoder);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
