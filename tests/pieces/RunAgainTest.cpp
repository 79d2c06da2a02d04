// Each piece rendered twice in one process: the second setup puts the piece back at its start,
// so the second run presents the same frames and writes byte-identical files.
#include "TestFiles.h"
#include "pieces/LiveRun.h"
#include "pieces/common/ShowParts.h"
#include "pieces/one/PieceOne.h"
#include "pieces/three/PieceThree.h"
#include "pieces/two/PieceTwo.h"
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The hash of a presented picture (a doubled store as it lies).
uint64_t presentedHash(FrameBuffer* frameBuffer) {
    if (!frameBuffer || !frameBuffer->getPixels()) return 0;
    const uint32_t* pixels = frameBuffer->getPixels32();
    const int32_t lines = frameBuffer->getHeight() * (frameBuffer->isDoubled() ? 2 : 1);
    return PieceTest::pictureHash(pixels, pixels + size_t(frameBuffer->getWidth()) * size_t(lines));
}

// The hash of every presented frame and the bytes of the files written.
struct Rendered {
    std::vector<uint64_t> frames;
    std::vector<std::string> files;
};

TEST(PieceRunAgain, EveryPieceRenderedTwiceGivesTheSameFramesAndFiles) {
    REQUIRE_DEFAULT_SHOW_DATA();
    // The files go to a folder of their own; the show data is read from there too.
    const fs::path data = fs::absolute("data.data");
    ScratchFolder scratch;
    const fs::path folder = scratch.path();
    const fs::path previous = fs::current_path();
    fs::create_symlink(data, folder / "data.data");
    fs::current_path(folder);

    std::vector<uint64_t> presented;
    PieceTest::LiveRun live([&](PieceTest::WatchedDevice& device) {
        presented.push_back(presentedHash(device.attached ? device.attached : device.show));
    });
    live.context.videoMode = true; // at 5 frames per second
    live.context.framesPerSecond = 5;
    live.context.codecName = "mjpeg";
    live.context.seed = 7;

    struct Case {
        const char* name;
        std::unique_ptr<Piece> piece;
        std::vector<const char*> files;
    };
    Case cases[] = {
        {"piece one",
         std::make_unique<PieceOne>(),
         {showParts[openingPart].fileName, showParts[mainPart].fileName, showParts[closingPart].fileName}},
        {"piece two", std::make_unique<PieceTwo>(), {showParts[pieceTwoPart].fileName}},
        {"piece three", std::make_unique<PieceThree>(), {showParts[pieceThreePart].fileName}},
    };
    for (Case& each : cases) {
        // One setup, run and stop with the generator where the shell puts it at the piece's start.
        auto render = [&] {
            presented.clear();
            ShowRandom::seed(20261207);
            live.context.clock->setTime(0);
            live.context.clock->stop();
            each.piece->setup(live.context);
            each.piece->run(live.context);
            each.piece->stop();
            Rendered result{presented, {}};
            for (const char* name : each.files)
                result.files.push_back(readFileText(name));
            return result;
        };
        each.piece->load(live.context);
        const Rendered first = render(), second = render();
        ASSERT_GT(first.frames.size(), 100u) << each.name;
        EXPECT_TRUE(first.frames == second.frames) << each.name << ": a frame differs on the second run";
        for (size_t k = 0; k < each.files.size(); ++k) {
            EXPECT_GT(first.files[k].size(), 10000u) << each.files[k];
            EXPECT_TRUE(first.files[k] == second.files[k]) << each.files[k] << " differs on the second run";
        }
        each.piece->release();
    }
    fs::current_path(previous);
}

} // namespace
