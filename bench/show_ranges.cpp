// Reaching a moment of the show, as a user does, with whole runs of the program: a render of the
// last 10 s of piece two against a render of the whole piece, and the cost of a live start deep
// in a piece (what a seek there costs) against a start near the piece's beginning.
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The fastest of three runs (the machine's noise only ever adds time).
double fastest(const std::string& program, const std::string& folder, const std::vector<std::string>& words) {
    double best = -1.0;
    for (int run = 0; run < 3; ++run) {
        const double seconds = runHeadless(program, folder, words);
        if (seconds < 0) return -1.0;
        best = best < 0 ? seconds : std::min(best, seconds);
    }
    return best;
}

} // namespace

int main(int, char** argv) {
    const std::string program = std::filesystem::absolute(argv[0]).parent_path().string() + "/triptych";
    const std::string data = findShowData(argv[0]);
    if (data.empty()) {
        std::printf("show_ranges: no data.data here or in the build folder\n");
        return 0;
    }
    const std::string folder = makeScratchFolder("show-ranges-bench");
    std::filesystem::create_symlink(data, folder + "/data.data");

    const double range = fastest(program, folder, {"video", "nomenu", "pieces=2", "from=4:24.8"});
    const double whole = fastest(program, folder, {"video", "nomenu", "pieces=2"});
    if (range > 0 && whole > 0) std::printf("BENCH render_range_reach_ratio %.3f x\n", range / whole);

    // Live, a tenth of a second of show each: near a piece's start, in piece two's last second,
    // and just into piece three, whose start needs the whole of piece two computed first.
    const double nearStart = fastest(program, folder, {"nomenu", "pieces=2", "from=2:14.6", "to=2:14.7"});
    const double pieceTwoEnd = fastest(program, folder, {"nomenu", "pieces=2", "from=4:34.4", "to=4:34.5"});
    const double pieceThree = fastest(program, folder, {"nomenu", "pieces=2,3", "from=4:34.6", "to=4:34.7"});
    if (nearStart > 0 && pieceTwoEnd > 0 && pieceThree > 0) {
        const double worst = std::max(pieceTwoEnd, pieceThree) - nearStart;
        std::printf("BENCH live_seek_worst_seconds %.3f s\n", std::max(worst, 0.0));
    }
    std::filesystem::remove_all(folder);
    return 0;
}
