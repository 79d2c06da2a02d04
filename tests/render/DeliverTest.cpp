// The "deliver" word end to end: pieces one and three rendered at a low frame rate (piece two left
// out with pieces=1,3, so its file must not become a chapter), then triptych.mp4 read
// back against its masters (chapters, lengths, start times, picture geometry, sound in step);
// a quit during the film leaves no film behind.
#include "render/AviProbe.h"
#include "render/FilmProbe.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <csignal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int32_t framesPerSecond = 2;
const char* const masters[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi", "piece_3.avi"};
const char* const titles[] = {"piece one: opening", "piece one", "piece one: closing", "piece three"};
constexpr size_t partCount = 4;

// Master sound as mono floats, the way the film's sound is compared.
std::vector<float> monoSound(const std::vector<uint8_t>& bytes) {
    std::vector<float> mono(bytes.size() / 4);
    const int16_t* samples = reinterpret_cast<const int16_t*>(bytes.data());
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 65536.0f;
    return mono;
}

double correlation(const std::vector<float>& a, size_t aStart, const std::vector<float>& b, size_t bStart,
                   size_t length) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < length; ++i) {
        ab += double(a[aStart + i]) * b[bStart + i];
        aa += double(a[aStart + i]) * a[aStart + i];
        bb += double(b[bStart + i]) * b[bStart + i];
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

// The loudest two seconds of a master's sound, where a shift would show most clearly.
size_t loudestWindow(const std::vector<float>& sound, size_t window) {
    size_t best = 0;
    double bestEnergy = -1;
    for (size_t start = 0; start + window <= sound.size(); start += window / 2) {
        double energy = 0;
        for (size_t i = start; i < start + window; ++i)
            energy += double(sound[i]) * sound[i];
        if (energy > bestEnergy) {
            bestEnergy = energy;
            best = start;
        }
    }
    return best;
}

class Deliver : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        scratch = new ScratchFolder;
        if (!linkShowData(scratch->path())) return;
        run = new ShowRun(
            runShow(scratch->path(), {"video", "nomenu", "deliver", "pieces=1,3", "fps", "2", "codec=mjpeg"}, {}, 600));
    }
    static void TearDownTestSuite() {
        delete run;
        delete scratch;
        run = nullptr;
        scratch = nullptr;
    }
    void SetUp() override {
        if (!run) GTEST_SKIP() << "no data.data in the build folder yet";
        ASSERT_EQ(run->exitCode, 0) << run->output;
    }
    static ScratchFolder* scratch;
    static ShowRun* run;
};
ScratchFolder* Deliver::scratch = nullptr;
ShowRun* Deliver::run = nullptr;

TEST_F(Deliver, FilmHoldsTheRenderedPartsAsChaptersWithStreamsInStep) {
    FilmProbe film = probeFilm(scratch->file("triptych.mp4"));
    ASSERT_TRUE(film.opened) << run->output;
    EXPECT_FALSE(std::filesystem::exists(scratch->file("triptych.mp4.part")));
    EXPECT_EQ(film.videoCodec, "h264");
    EXPECT_EQ(film.profile, "High");
    EXPECT_EQ(film.pixelFormat, "yuv420p");
    EXPECT_EQ(film.audioCodec, "aac");
    EXPECT_EQ(film.sampleRate, 44100);
    EXPECT_EQ(film.channels, 2);
    EXPECT_NEAR(double(film.audioBitRate), 192000.0, 40000.0);
    EXPECT_TRUE(film.indexFirst);

    // One chapter per master, back to back, each as long as its master.
    ASSERT_EQ(film.chapters.size(), partCount);
    EXPECT_FALSE(std::filesystem::exists(scratch->file("piece_2.avi")));
    int64_t frames = 0;
    for (size_t k = 0; k < partCount; ++k) {
        SCOPED_TRACE(masters[k]);
        const int64_t partFrames = probeAvi(scratch->file(masters[k])).videoFrames;
        ASSERT_GT(partFrames, 0);
        EXPECT_EQ(film.chapters[k].title, titles[k]);
        EXPECT_DOUBLE_EQ(film.chapters[k].start, double(frames) / framesPerSecond);
        frames += partFrames;
        EXPECT_DOUBLE_EQ(film.chapters[k].end, double(frames) / framesPerSecond);
    }
    EXPECT_EQ(film.videoFrames, frames);

    // Both streams start at zero and end together, within one frame.
    const double frame = 1.0 / framesPerSecond;
    EXPECT_NEAR(film.videoStart, 0.0, 1e-9);
    EXPECT_LT(std::fabs(film.audioStart - film.videoStart), frame);
    EXPECT_NEAR(film.videoDuration, double(frames) / framesPerSecond, 1e-6);
    EXPECT_LT(std::fabs(film.audioDuration - film.videoDuration), frame);
}

// Master pixels on an edge (a step of more than 24 levels to a neighbour): where a misplaced or
// blurred enlargement shows.
std::vector<std::pair<int32_t, int32_t>> edgePixels(const std::vector<uint8_t>& master, int32_t width,
                                                    int32_t height) {
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (int32_t y = 1; y + 1 < height; ++y)
        for (int32_t x = 1; x + 1 < width; ++x) {
            int step = 0;
            for (int c = 0; c < 3; ++c) {
                const int value = master[(size_t(y) * width + x) * 3 + c];
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    step =
                        std::max(step, std::abs(value - master[(size_t(y + dy) * width + x + dx) * 3 + c]));
            }
            if (step > 24) edges.emplace_back(x, y);
        }
    return edges;
}

TEST_F(Deliver, PictureIsTheMasterEnlargedSharplyBetweenBlackSides) {
    // The busiest of a few pictures of the main part.
    int32_t masterWidth = 0, masterHeight = 0;
    int64_t chosen = 0;
    std::vector<uint8_t> master;
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (int64_t index : {20, 60, 100, 140, 180, 220}) {
        std::vector<uint8_t> candidate =
            decodePicture(scratch->file("piece_1.avi"), index, &masterWidth, &masterHeight);
        ASSERT_EQ(masterWidth, 640);
        ASSERT_EQ(masterHeight, 480);
        std::vector<std::pair<int32_t, int32_t>> candidateEdges =
            edgePixels(candidate, masterWidth, masterHeight);
        if (candidateEdges.size() > edges.size()) {
            edges = std::move(candidateEdges);
            master = std::move(candidate);
            chosen = index;
        }
    }
    ASSERT_GT(edges.size(), 1000u);
    const int64_t before = probeAvi(scratch->file("piece_pre1.avi")).videoFrames;
    int32_t width = 0, height = 0;
    std::vector<uint8_t> film =
        decodePicture(scratch->file("triptych.mp4"), before + chosen, &width, &height);
    ASSERT_EQ(width, 1920);
    ASSERT_EQ(height, 1080);

    int brightestSide = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x : {0, 100, 239, 1680, 1800, 1919})
            for (int c = 0; c < 3; ++c)
                brightestSide = std::max<int>(brightestSide, film[(size_t(y) * width + x) * 3 + c]);
    EXPECT_LE(brightestSide, 2);

    // Master pixel (x, y) covers film pixels from 240 + 2.25x across and 2.25y down; the film
    // pixel at the centre of that area lies wholly inside it. On the edges the film matches the
    // master there, and clearly worse one master pixel off in any direction.
    auto difference = [&](int32_t shiftX, int32_t shiftY) {
        double sum = 0;
        for (auto [x, y] : edges) {
            const int32_t filmX = 240 + int32_t((x + shiftX + 0.5) * 2.25);
            const int32_t filmY = int32_t((y + shiftY + 0.5) * 2.25);
            for (int c = 0; c < 3; ++c)
                sum += std::abs(film[(size_t(filmY) * width + filmX) * 3 + c] -
                                master[(size_t(y) * masterWidth + x) * 3 + c]);
        }
        return sum / double(edges.size() * 3);
    };
    const double inPlace = difference(0, 0);
    EXPECT_LT(inPlace, 6.0);
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        EXPECT_GT(difference(dx, dy), 2 * inPlace) << "shifted by " << dx << "," << dy;
}

TEST_F(Deliver, EachChaptersSoundIsItsMastersSoundWithoutShift) {
    FilmProbe film = probeFilm(scratch->file("triptych.mp4"), true);
    ASSERT_TRUE(film.opened);
    const int64_t samplesPerFrame = 44100 / framesPerSecond;
    int64_t frames = 0;
    for (const char* name : masters) {
        SCOPED_TRACE(name);
        AviProbe master = probeAvi(scratch->file(name));
        const std::vector<float> sound = monoSound(master.audioBytes);
        const size_t partStart = size_t(frames * 44100 / framesPerSecond);
        frames += master.videoFrames;
        const size_t window = 88200;
        ASSERT_GE(sound.size(), window);
        ASSERT_GE(film.sound.size(), partStart + sound.size());
        const size_t at = loudestWindow(sound, window);
        // Search a little more than one priming delay either way.
        const int64_t reach = 2048;
        int64_t bestLag = 0;
        double best = -2;
        for (int64_t lag = -reach; lag <= reach; ++lag) {
            const int64_t filmAt = int64_t(partStart + at) + lag;
            if (filmAt < 0 || size_t(filmAt) + window > film.sound.size()) continue;
            const double value = correlation(sound, at, film.sound, size_t(filmAt), window);
            if (value > best) {
                best = value;
                bestLag = lag;
            }
        }
        EXPECT_LT(std::llabs(bestLag), samplesPerFrame);
        EXPECT_LE(std::llabs(bestLag), 1) << "the film's sound is shifted by " << bestLag << " samples";
        EXPECT_GT(correlation(sound, at, film.sound, partStart + at, window), 0.95);
    }
}

TEST(DeliverCancel, AQuitWhileTheFilmIsWrittenLeavesNoFilm) {
    ScratchFolder scratch;
    REQUIRE_SHOW_DATA(scratch);
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "deliver", "pieces=1,3", "fps", "2", "codec=mjpeg"}, {}, 600,
                          ShowInterruption{"triptych.mp4.part", 200'000, {SIGINT}});
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 128 + SIGINT) << run.output; // the render stopped short of its plan
    EXPECT_NE(run.output.find("cancelled"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("triptych.mp4")));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("triptych.mp4.part")));
    for (const char* name : masters)
        EXPECT_TRUE(std::filesystem::exists(scratch.file(name))) << name;
}

} // namespace
