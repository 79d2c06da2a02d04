// OImage over loose JPEG files made by the test: pixel order, grey pictures, broken and unknown
// files, the shared decoder's life and its log lines.
#include "resources/OImage.h"
#include "platform/DebugServer.h"
#include "platform/Errors.h"
#include "resources/FileServer.h"
#include "resources/JpegTestFiles.h"
#include "resources/Servers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class OImageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Loose-file mode: names are paths. The services stay for the whole run.
        static Servers* services = getExceptionServer() ? nullptr : new Servers(11, 0, 200);
        (void)services;
        char pattern[] = "/tmp/oimage-test-XXXXXX";
        directory = mkdtemp(pattern);
    }
    static void TearDownTestSuite() { fs::remove_all(directory); }

    // Writes a JPEG of the given pixels (3 bytes each, or 1 for grey) and returns its path.
    static std::string writeJpeg(const std::string& file, const std::vector<uint8_t>& pixels, int width,
                                 int height, bool grey) {
        std::string path = directory + "/" + file;
        EXPECT_TRUE(writeTestJpeg(path, pixels, width, height, grey)) << path;
        return path;
    }

    static void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }

    // The detail of the couldn't-read error that constructing the image throws.
    static std::string readFailure(const std::string& name) {
        try {
            OImage image(name.c_str(), -1, -1);
        } catch (const ExceptionType& error) {
            EXPECT_STREQ(error.text, Errors::couldntReadFile.text);
            return error.detail;
        }
        ADD_FAILURE() << "no error for " << name;
        return "";
    }

    static std::string directory;
};

std::string OImageTest::directory;

TEST_F(OImageTest, DecodesRedFirstTopRowFirstAtTheJpegsOwnSize) {
    // 16 x 8: the left half pure red, the right half pure blue; lossless enough at quality 100.
    const int width = 16, height = 8;
    std::vector<uint8_t> rgb(width * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[size_t(y * width + x) * 3];
            p[0] = x < 8 ? 255 : 0;
            p[2] = x < 8 ? 0 : 255;
        }
    std::string path = writeJpeg("colour.jpg", rgb, width, height, false);

    OImage image(path.c_str(), -1, -1);
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(image.getWidth(), width);
    EXPECT_EQ(image.getHeight(), height);
    const uint8_t* top = image.getImage();
    EXPECT_GT(top[0], 240); // red byte first
    EXPECT_LT(top[1], 16);
    EXPECT_LT(top[2], 16);
    const uint8_t* right = top + (width - 1) * 3;
    EXPECT_LT(right[0], 16);
    EXPECT_GT(right[2], 240);
    EXPECT_STREQ(image.getName(), path.c_str());
}

TEST_F(OImageTest, AGreyJpegGivesThreeEqualBytesPerPixel) {
    const int width = 9, height = 5; // odd sizes: no row padding in the buffer
    std::vector<uint8_t> grey(width * height);
    for (size_t k = 0; k < grey.size(); ++k)
        grey[k] = uint8_t(k * 5);
    std::string path = writeJpeg("grey.jpg", grey, width, height, true);

    OImage image(path.c_str(), -1, -1);
    const uint8_t* pixels = image.getImage();
    for (int k = 0; k < width * height; ++k) {
        ASSERT_EQ(pixels[3 * k], pixels[3 * k + 1]) << k;
        ASSERT_EQ(pixels[3 * k], pixels[3 * k + 2]) << k;
    }
    EXPECT_NEAR(pixels[3 * (width * height - 1)], grey.back(), 3);
}

TEST_F(OImageTest, UnknownBrokenAndTruncatedFilesThrowCouldntReadWithTheName) {
    std::string missing = directory + "/missing.jpg";
    EXPECT_EQ(readFailure(missing), missing);

    std::string text = directory + "/text.jpg";
    writeBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    EXPECT_EQ(readFailure(text), text);

    std::string empty = directory + "/empty.jpg";
    writeBytes(empty, {});
    EXPECT_EQ(readFailure(empty), empty);

    // A good header followed by too little picture data.
    std::vector<uint8_t> rgb(64 * 64 * 3, 128);
    for (size_t k = 0; k < rgb.size(); ++k)
        rgb[k] = uint8_t(k * 13);
    std::string good = writeJpeg("whole.jpg", rgb, 64, 64, false);
    std::vector<uint8_t> bytes(fs::file_size(good));
    FILE* in = std::fopen(good.c_str(), "rb");
    ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), in), bytes.size());
    std::fclose(in);
    bytes.resize(bytes.size() / 2);
    std::string truncated = directory + "/truncated.jpg";
    writeBytes(truncated, bytes);
    EXPECT_EQ(readFailure(truncated), truncated);

    // Failures leave no image counted.
    EXPECT_EQ(OImage::getUsageCount(), 0);
}

TEST_F(OImageTest, UsageCountTracksLiveImagesAndTheDecoderIsMadeAgainAfterTheLast) {
    std::vector<uint8_t> rgb(4 * 4 * 3, 200);
    std::string path = writeJpeg("small.jpg", rgb, 4, 4, false);
    // Every line goes to a debug.log inside the test's own directory.
    fs::path previousDirectory = fs::current_path();
    fs::current_path(directory);
    DebugServer* previousLog = getDebugServer();
    auto* fileLog = new DebugServer(0, 1);
    setDebugServer(fileLog);

    ASSERT_EQ(OImage::getUsageCount(), 0);
    {
        auto first = std::make_unique<OImage>(path.c_str(), -1, -1);
        EXPECT_EQ(OImage::getUsageCount(), 1);
        OImage second(path.c_str(), -1, -1);
        EXPECT_EQ(OImage::getUsageCount(), 2);
        first.reset();
        EXPECT_EQ(OImage::getUsageCount(), 1);
    }
    EXPECT_EQ(OImage::getUsageCount(), 0);
    OImage again(path.c_str(), -1, -1);
    EXPECT_EQ(OImage::getUsageCount(), 1);
    EXPECT_EQ(again.getImage()[0], again.getImage()[1]);

    setDebugServer(previousLog);
    delete fileLog;
    fs::current_path(previousDirectory);

    std::vector<std::string> lines;
    FILE* in = std::fopen((directory + "/debug.log").c_str(), "r");
    ASSERT_NE(in, nullptr);
    char line[512];
    while (std::fgets(line, sizeof line, in))
        lines.emplace_back(line, std::strcspn(line, "\n"));
    std::fclose(in);
    auto count = [&](const std::string& wanted) { return std::count(lines.begin(), lines.end(), wanted); };
    // Made for the first image, freed after the second, made again for the third.
    EXPECT_EQ(count("{OImage::OImage()}: Usage count equals zero - allocating shared data..."), 2);
    EXPECT_EQ(count("{OImage::OImage()}: Usage count dropped to zero - freeing shared data...Done."), 1);
    EXPECT_EQ(count("{OImage::OImage()}: Reading " + path + "...Done! (" +
                    std::to_string(fs::file_size(path)) + " bytes read.)"),
              3);
    EXPECT_EQ(count("{OImage::OImage}: Freeing image buffer"), 2);
    EXPECT_EQ(lines.back(), "{OImage::OImage()}: Done.");
}

} // namespace
