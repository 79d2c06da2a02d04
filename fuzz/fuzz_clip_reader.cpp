// libFuzzer target: arbitrary bytes as an extracted clip file. The reader either opens them and
// decodes frames by time into a buffer of the size it reports, or throws its failure.
#include "media/VideoFailure.h"
#include "media/clips/ClipReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader opens files by name, as the show's extracted clips are.
    static const std::string path = "/tmp/fuzz_clip_reader." + std::to_string(getpid()) + ".avi";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    try {
        ClipReader clip(path);
        if (clip.getWidth() < 1 || clip.getHeight() < 1) std::abort();
        std::vector<uint8_t> frame(size_t(clip.getWidth()) * size_t(clip.getHeight()) * 4);
        for (int32_t timeMs : {0, 40, 1000, -5, 1 << 30})
            clip.readFrame(frame.data(), timeMs, timeMs & 1);
    } catch (const VideoFailure&) {
    }
    std::remove(path.c_str());
    return 0;
}
