// Loading, playing, stopping and releasing the pieces.
#include "shell/PieceRunner.h"

#include "pieces/one/PieceOne.h"
#include "pieces/three/PieceThree.h"
#include "pieces/two/PieceTwo.h"
#include "platform/ShowRandom.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// With TRIPTYCH_LOG_PIECES set (not "0"), a line on stderr as each piece starts, for scripts
// that check which pieces ran.
void logPieceStart(int pieceNumber) {
    const char* wanted = std::getenv("TRIPTYCH_LOG_PIECES");
    if (wanted && *wanted && std::strcmp(wanted, "0") != 0)
        std::fprintf(stderr, "triptych: piece %d starts\n", pieceNumber);
}
} // namespace

PieceRunner::PieceRunner()
    : pieces{std::make_unique<PieceOne>(), std::make_unique<PieceTwo>(), std::make_unique<PieceThree>()} {}

PieceRunner::~PieceRunner() = default;

void PieceRunner::loadAll(const PieceContext& context) {
    for (auto& each : pieces)
        each->load(context);
}

std::array<bool, 3> PieceRunner::startsKnown() const {
    return {randomAtStart[0].has_value(), randomAtStart[1].has_value(), randomAtStart[2].has_value()};
}

ShowTimeline PieceRunner::videoTimeline(int32_t framesPerSecond) const {
    std::array<std::vector<int64_t>, 3> frames;
    for (size_t k = 0; k < 3; ++k)
        frames[k] = pieces[k]->renderedFrames(framesPerSecond);
    return ShowTimeline::video(framesPerSecond, frames);
}

void PieceRunner::play(int k, const PieceContext& context, bool announce) {
    auto& start = randomAtStart[size_t(k)];
    if (start)
        ShowRandom::seed(*start);
    else
        start = ShowRandom::state();
    Piece& chosen = piece(k);
    chosen.setup(context);
    if (announce) logPieceStart(k + 1);
    chosen.run(context);
    chosen.stop();
}

void PieceRunner::stop(int k) {
    piece(k).stop();
}

void PieceRunner::releaseAll() {
    for (auto& each : pieces)
        each->release();
}
