// The "deliver" word end to end at a low frame rate: pieces one and three at 1080p (piece two left
// out with pieces=1,3, so its file must not become a chapter) and piece two alone with
// deliver=4k; triptych.mp4 read back against its masters (chapters, lengths, start times, size,
// colour tags, picture geometry and sharpness, 48 kHz sound in step), the chapter list, the
// thumbnail and the sheet; a quit during the film leaves no film behind.
#include "render/AviProbe.h"
#include "render/FilmProbe.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include "media/film/ChapterList.h"
#include "media/film/FilmStills.h"
#include "platform/text/BitmapFont.h"

#include <gtest/gtest.h>

#include <csignal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int32_t framesPerSecond = 2;
const char* const masters[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi", "piece_3.avi"};
const char* const titles[] = {"piece one: opening", "piece one", "piece one: closing", "piece three"};
constexpr size_t partCount = 4;

// Master sound as mono floats at the film's 48 kHz (linear interpolation between the master's
// 44.1 kHz samples), the way the film's sound is compared.
std::vector<float> monoSound(const std::vector<uint8_t>& bytes) {
    std::vector<float> mono(bytes.size() / 4);
    const int16_t* samples = reinterpret_cast<const int16_t*>(bytes.data());
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 65536.0f;
    std::vector<float> resampled(mono.size() * 48000 / 44100);
    for (size_t i = 0; i < resampled.size(); ++i) {
        const double at = double(i) * 44100.0 / 48000.0;
        const size_t k = size_t(at);
        const double after = k + 1 < mono.size() ? mono[k + 1] : mono[k];
        resampled[i] = float(mono[k] + (after - mono[k]) * (at - double(k)));
    }
    return resampled;
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

// One render with "deliver" per suite, shared by its tests.
struct DeliveredShow {
    ScratchFolder* scratch = nullptr;
    ShowRun* run = nullptr;
    void start(std::vector<std::string> words) {
        scratch = new ScratchFolder;
        if (!linkShowData(scratch->path())) return;
        run = new ShowRun(runShow(scratch->path(), words, {}, 600));
    }
    void stop() {
        delete run;
        delete scratch;
        run = nullptr;
        scratch = nullptr;
    }
};

class Deliver : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        show.start({"video", "nomenu", "deliver", "pieces=1,3", "fps", "2", "codec=mjpeg"});
    }
    static void TearDownTestSuite() { show.stop(); }
    virtual DeliveredShow& current() { return show; }
    void SetUp() override {
        if (!current().run) GTEST_SKIP() << "no data.data in the build folder yet";
        ASSERT_EQ(current().run->exitCode, 0) << current().run->output;
        scratch = current().scratch;
        run = current().run;
    }
    static DeliveredShow show;
    ScratchFolder* scratch = nullptr;
    ShowRun* run = nullptr;
};
DeliveredShow Deliver::show;

// Piece one alone as a 4K film: its opening joins it, which leaves two chapters for a list, too
// few to write one.
class Deliver4k : public Deliver {
  protected:
    static void SetUpTestSuite() {
        show.start({"video", "nomenu", "deliver=4k", "pieces=1", "fps", "2", "codec=mjpeg"});
    }
    static void TearDownTestSuite() { show.stop(); }
    DeliveredShow& current() override { return show; }
    static DeliveredShow show;
};
DeliveredShow Deliver4k::show;

TEST_F(Deliver, FilmHoldsTheRenderedPartsAsChaptersWithStreamsInStep) {
    FilmProbe film = probeFilm(scratch->file("triptych.mp4"));
    ASSERT_TRUE(film.opened) << run->output;
    EXPECT_FALSE(std::filesystem::exists(scratch->file("triptych.mp4.part")));
    EXPECT_EQ(film.videoCodec, "h264");
    EXPECT_EQ(film.profile, "High");
    EXPECT_EQ(film.pixelFormat, "yuv420p");
    EXPECT_EQ(film.width, 1920);
    EXPECT_EQ(film.height, 1080);
    EXPECT_EQ(film.audioCodec, "aac");
    EXPECT_EQ(film.audioProfile, "LC");
    EXPECT_EQ(film.sampleRate, 48000);
    EXPECT_EQ(film.channels, 2);
    EXPECT_GE(film.audioBitRate, 320000);
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

// The 4K film's size and colour tags, like the 1080p film's; its chapters, and no list.
void expectFilmTagsAndNoList(const ScratchFolder& scratch, const ShowRun& run) {
    FilmProbe film = probeFilm(scratch.file("triptych.mp4"));
    ASSERT_TRUE(film.opened) << run.output;
    EXPECT_EQ(film.videoCodec, "h264");
    EXPECT_EQ(film.profile, "High");
    EXPECT_EQ(film.pixelFormat, "yuv420p");
    EXPECT_EQ(film.width, 3840);
    EXPECT_EQ(film.height, 2160);
    EXPECT_EQ(film.colourSpace, "bt709");
    EXPECT_EQ(film.colourPrimaries, "bt709");
    EXPECT_EQ(film.colourTransfer, "bt709");
    EXPECT_EQ(film.colourRange, "tv");
    EXPECT_EQ(film.sampleRate, 48000);
    ASSERT_EQ(film.chapters.size(), 3u);
    EXPECT_EQ(film.chapters[0].title, "piece one: opening");
    // Two chapters make no list a video site would take: said, not written, not a failure.
    EXPECT_FALSE(std::filesystem::exists(scratch.file("triptych.chapters.txt")));
    EXPECT_NE(run.output.find("triptych.chapters.txt is not written"), std::string::npos) << run.output;
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

// The busiest of a few pictures of a master, found again in the film (its master starting at
// film frame `before`): enlarged to the film's height, centred between black sides, exactly
// placed and as sharp as the master.
void expectSharpEnlargement(const ScratchFolder& scratch, const char* masterName, int64_t before,
                            int32_t filmWidth, int32_t filmHeight) {
    int32_t masterWidth = 0, masterHeight = 0;
    int64_t chosen = 0;
    std::vector<uint8_t> master;
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (int64_t index : {20, 60, 100, 140, 180, 220}) {
        std::vector<uint8_t> candidate =
            decodePicture(scratch.file(masterName), index, &masterWidth, &masterHeight);
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
    int32_t width = 0, height = 0;
    std::vector<uint8_t> film = decodePicture(scratch.file("triptych.mp4"), before + chosen, &width, &height);
    ASSERT_EQ(width, filmWidth);
    ASSERT_EQ(height, filmHeight);

    // Master pixel (x, y) covers film pixels from left + scale x across and scale y down; the
    // film pixel at the centre of that area lies wholly inside it.
    const double scale = double(filmHeight) / masterHeight;
    const int32_t left = (filmWidth - int32_t(masterWidth * scale)) / 2;
    int brightestSide = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x : {0, left / 2, left - 1, filmWidth - left, filmWidth - left / 2, filmWidth - 1})
            for (int c = 0; c < 3; ++c)
                brightestSide = std::max<int>(brightestSide, film[(size_t(y) * width + x) * 3 + c]);
    EXPECT_LE(brightestSide, 2);

    // On the edges the film matches the master there, and clearly worse one master pixel off in
    // any direction.
    auto difference = [&](int32_t shiftX, int32_t shiftY) {
        double sum = 0;
        for (auto [x, y] : edges) {
            const int32_t filmX = left + int32_t((x + shiftX + 0.5) * scale);
            const int32_t filmY = int32_t((y + shiftY + 0.5) * scale);
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

TEST_F(Deliver, PictureIsTheMasterEnlargedSharplyBetweenBlackSides) {
    expectSharpEnlargement(*scratch, "piece_1.avi", probeAvi(scratch->file("piece_pre1.avi")).videoFrames, 1920,
                           1080);
}

// Each master's loudest two seconds are found in the film where its part starts, unshifted.
void expectSoundInStep(const ScratchFolder& scratch, const std::vector<const char*>& names) {
    FilmProbe film = probeFilm(scratch.file("triptych.mp4"), true);
    ASSERT_TRUE(film.opened);
    ASSERT_EQ(film.sampleRate, 48000);
    const int64_t samplesPerFrame = 48000 / framesPerSecond;
    int64_t frames = 0;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        AviProbe master = probeAvi(scratch.file(name));
        const std::vector<float> sound = monoSound(master.audioBytes);
        const size_t partStart = size_t(frames * 48000 / framesPerSecond);
        frames += master.videoFrames;
        const size_t window = 96000;
        ASSERT_GE(sound.size(), window);
        ASSERT_GE(film.sound.size() + 2, partStart + sound.size());
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

TEST_F(Deliver, EachChaptersSoundIsItsMastersSoundWithoutShift) {
    expectSoundInStep(*scratch, {std::begin(masters), std::end(masters)});
}

// One test for the 4K film, so that CTest renders it once.
TEST_F(Deliver4k, FilmIs2160pSharpAndInStepWithItsChaptersButNoList) {
    expectFilmTagsAndNoList(*scratch, *run);
    expectSharpEnlargement(*scratch, "piece_1.avi", probeAvi(scratch->file("piece_pre1.avi")).videoFrames, 3840,
                           2160);
    expectSoundInStep(*scratch, {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"});
}

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(Deliver, ChapterListStartsAtFilmChaptersAndKeepsEachAtLeastTenSeconds) {
    FilmProbe film = probeFilm(scratch->file("triptych.mp4"));
    ASSERT_TRUE(film.opened);
    // The 5-second opening joins piece one under its title.
    std::istringstream text(fileText(scratch->file("triptych.chapters.txt")));
    std::vector<std::pair<int, std::string>> lines;
    for (std::string line; std::getline(text, line);) {
        int minutes = 0, seconds = 0, used = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d:%2d %n", &minutes, &seconds, &used), 2) << line;
        ASSERT_EQ(line.substr(size_t(line.find(':') + 1), 2).size(), 2u) << line;
        lines.emplace_back(minutes * 60 + seconds, line.substr(size_t(used)));
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (std::pair<int, std::string>{0, "piece one"}));
    EXPECT_EQ(lines[1].second, "piece one: closing");
    EXPECT_EQ(lines[2].second, "piece three");
    for (size_t k = 0; k < lines.size(); ++k) {
        const double end = k + 1 < lines.size() ? lines[k + 1].first : film.videoDuration;
        EXPECT_GE(end - lines[k].first, 10.0) << lines[k].second;
        // Each line is the start of the film chapter of its title, rounded down.
        const auto chapter = std::find_if(film.chapters.rbegin(), film.chapters.rend(),
                                          [&](const FilmChapterInfo& c) { return c.title == lines[k].second; });
        ASSERT_NE(chapter, film.chapters.rend());
        EXPECT_EQ(lines[k].first, k == 0 ? 0 : int(chapter->start)) << lines[k].second;
    }
}

TEST_F(Deliver, ThumbnailAndSheetKeepTheirSizesAndTheSheetIsLabelled) {
    const std::string thumbnail = scratch->file("triptych.thumb.jpg"), sheet = scratch->file("triptych.sheet.png");
    ASSERT_TRUE(std::filesystem::exists(thumbnail)) << run->output;
    EXPECT_LE(int64_t(std::filesystem::file_size(thumbnail)), FilmStills::thumbnailMostBytes);
    EXPECT_LT(int64_t(std::filesystem::file_size(sheet)), FilmStills::sheetMostBytes);

    // The thumbnail is the film's picture at the second the terminal names, scaled down.
    int32_t width = 0, height = 0;
    std::vector<uint8_t> thumb = decodePicture(thumbnail, 0, &width, &height);
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 720);
    const size_t said = run->output.find("whole seconds, at ");
    ASSERT_NE(said, std::string::npos) << run->output;
    int minutes = 0, seconds = 0;
    ASSERT_EQ(std::sscanf(run->output.c_str() + said + 18, "%d:%d", &minutes, &seconds), 2);
    int32_t filmWidth = 0, filmHeight = 0;
    std::vector<uint8_t> film = decodePicture(scratch->file("triptych.mp4"),
                                              (minutes * 60 + seconds) * framesPerSecond, &filmWidth, &filmHeight);
    ASSERT_EQ(filmWidth, 1920);
    double difference = 0, spread = 0;
    int count = 0;
    for (int32_t y = 36; y < 720; y += 72)
        for (int32_t x = 16; x < 1280; x += 32)
            for (int c = 0; c < 3; ++c) {
                const int value = thumb[(size_t(y) * 1280 + x) * 3 + c];
                const int filmValue = film[(size_t(y * 3 / 2) * 1920 + size_t(x * 3 / 2)) * 3 + c];
                difference += std::abs(value - filmValue);
                spread += std::abs(value - thumb[(size_t(360) * 1280 + 640) * 3 + c]);
                ++count;
            }
    EXPECT_LT(difference / count, 12.0);
    EXPECT_GT(spread / count, 12.0) << "a flat thumbnail";

    // A tile every 10 s of the film, each labelled with its time and part in the bitmap font.
    std::vector<uint8_t> pixels = decodePicture(sheet, 0, &width, &height);
    ASSERT_FALSE(pixels.empty());
    FilmProbe probe = probeFilm(scratch->file("triptych.mp4"));
    const int64_t tiles = (probe.videoFrames - 1) / (10 * framesPerSecond) + 1;
    const int32_t columns = FilmStills::sheetColumns, gap = FilmStills::sheetGap;
    const int32_t tileWidth = (width - gap) / columns - gap, tileHeight = tileWidth * 3 / 4;
    const int32_t cellHeight = tileHeight + FilmStills::labelHeight + gap;
    ASSERT_GE(tileWidth, 160);
    EXPECT_EQ(height, int32_t((tiles + columns - 1) / columns) * cellHeight + gap);
    for (int64_t k = 0; k < tiles; ++k) {
        const int64_t second = k * 10;
        std::string title;
        for (const FilmChapterInfo& chapter : probe.chapters)
            if (chapter.start <= double(second)) title = chapter.title;
        const std::string label = ChapterList::clock(second) + " " + title;
        SCOPED_TRACE(label);
        const int32_t left = gap + int32_t(k % columns) * (tileWidth + gap) + FilmStills::labelMargin;
        const int32_t top = gap + int32_t(k / columns) * cellHeight + tileHeight + FilmStills::labelMargin;
        const int32_t labelWidth = BitmapFont::measure(label, 1);
        std::vector<uint32_t> expected(size_t(labelWidth) * BitmapFont::cellHeight, 0);
        BitmapFont::draw(expected.data(), labelWidth, labelWidth, BitmapFont::cellHeight, 0, 0, label, 0xFFFFFF, 1);
        int wrong = 0;
        for (int32_t y = 0; y < BitmapFont::cellHeight; ++y)
            for (int32_t x = 0; x < labelWidth; ++x) {
                const uint8_t* at = &pixels[(size_t(top + y) * size_t(width) + size_t(left + x)) * 3];
                const bool ink = at[0] > 200 && at[1] > 200 && at[2] > 200;
                const bool dark = at[0] < 20 && at[1] < 20 && at[2] < 20;
                wrong += expected[size_t(y) * size_t(labelWidth) + size_t(x)] ? !ink : !dark;
            }
        EXPECT_EQ(wrong, 0);
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
