// Delivery speed: the whole show rendered with "deliver" at 25 frames per second by the show's
// program (when the show data exists), against the length of the show it wrote; the delivery
// stage alone on those masters, in frames of the 1920x1080 film per second; and the film stage's
// processor time per frame at 3840x2160 against 1920x1080 on the same few hundred frames (piece
// one's closing), the pictures beside the film left out.
// With a folder as argument, only the delivery stage runs, on the masters in that folder.
#include "BenchSupport.h"
#include "media/film/MasterReader.h"
#include "media/film/ShowDelivery.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const masters[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi", "piece_2.avi",
                               "piece_3.avi"};

double processSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Frames of the masters in folder.
int64_t masterFrames(const std::string& folder) {
    int64_t frames = 0;
    for (const char* name : masters)
        if (std::filesystem::exists(folder + "/" + name))
            frames += MasterReader(folder + "/" + name).getFrameCount();
    return frames;
}

// The delivery stage alone on the masters in folder.
void deliverAgain(const std::string& folder) {
    DeliveryJob job;
    for (const char* name : masters)
        job.parts.push_back({folder + "/" + name, name});
    job.outputName = folder + "/again.mp4";
    const int64_t frames = masterFrames(folder);
    auto start = std::chrono::steady_clock::now();
    double cpuStart = processSeconds(RUSAGE_SELF);
    ShowDelivery::deliver(job);
    double wall = secondsSince(start);
    double cpu = processSeconds(RUSAGE_SELF) - cpuStart;
    std::filesystem::remove(job.outputName);
    std::printf("BENCH render_deliver_stage_frames_per_second %.1f frames/s\n", frames / wall);
    // Processor time of all threads per film frame: the stage's cost whatever else runs.
    std::printf("BENCH render_deliver_stage_cpu_ms_per_frame %.2f ms\n", cpu * 1000.0 / frames);
}

// Processor time per film frame of the delivery stage on one master at a film height.
double stageCpuPerFrame(const std::string& folder, const char* name, int32_t filmHeight) {
    DeliveryJob job;
    job.parts.push_back({folder + "/" + name, name});
    job.outputName = folder + "/cost.mp4";
    job.filmHeight = filmHeight;
    double cpuStart = processSeconds(RUSAGE_SELF);
    ShowDelivery::deliver(job);
    double cpu = processSeconds(RUSAGE_SELF) - cpuStart;
    std::filesystem::remove(job.outputName);
    return cpu / double(MasterReader(folder + "/" + name).getFrameCount());
}

void compareFilmSizes(const std::string& folder) {
    const char* name = "piece_post1.avi";
    if (!std::filesystem::exists(folder + "/" + name)) return;
    const double hd = stageCpuPerFrame(folder, name, 1080);
    const double uhd = stageCpuPerFrame(folder, name, 2160);
    std::printf("BENCH film_1080p_cpu_ms_per_frame %.2f ms\n", hd * 1000.0);
    std::printf("BENCH film_4k_cpu_ms_per_frame %.2f ms\n", uhd * 1000.0);
    std::printf("BENCH film_4k_vs_1080p_cost_per_frame %.2f x\n", uhd / hd);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        deliverAgain(argv[1]);
        compareFilmSizes(argv[1]);
        return 0;
    }
    std::string buildFolder = std::filesystem::absolute(argv[0]).parent_path().string();
    std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("deliver: no data.data here or in the build folder; nothing measured\n");
        return 0;
    }
    std::string folder = makeScratchFolder("deliver-bench");
    if (folder.empty()) return 1;
    std::filesystem::create_symlink(data, folder + "/data.data");
    double childCpuStart = processSeconds(RUSAGE_CHILDREN);
    double wall = runHeadless(buildFolder + "/triptych", folder, {"video", "nomenu", "deliver"});
    double childCpu = processSeconds(RUSAGE_CHILDREN) - childCpuStart;
    if (wall < 0) {
        std::printf("deliver: the render with deliver failed\n");
    } else {
        const double showSeconds = double(masterFrames(folder)) / 25.0;
        std::printf("BENCH render_deliver_show_seconds %.1f s\n", showSeconds);
        std::printf("BENCH render_deliver_wall_seconds %.2f s\n", wall);
        std::printf("BENCH render_deliver_cpu_seconds %.2f s\n", childCpu);
        std::printf("BENCH render_deliver_realtime_ratio %.2f x\n", showSeconds / wall);
        deliverAgain(folder);
        compareFilmSizes(folder);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
