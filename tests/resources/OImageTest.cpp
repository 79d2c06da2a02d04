// OImage over loose JPEG files made by the test: pixel order, grey pictures, broken and unknown
// files, and the shared decoder's life.
#include "resources/OImage.h"
#include "platform/Errors.h"
#include "resources/FileServer.h"
#include "resources/JpegTestFiles.h"
#include "resources/Servers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

    static void writeBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
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
    writeBytes(text, "not a jpeg");
    EXPECT_EQ(readFailure(text), text);
    std::string empty = directory + "/empty.jpg";
    writeBytes(empty, "");
    EXPECT_EQ(readFailure(empty), empty);

    // A good header followed by too little picture data.
    std::vector<uint8_t> rgb(64 * 64 * 3);
    for (size_t k = 0; k < rgb.size(); ++k)
        rgb[k] = uint8_t(k * 13);
    std::ifstream in(writeJpeg("whole.jpg", rgb, 64, 64, false), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string truncated = directory + "/truncated.jpg";
    writeBytes(truncated, bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(readFailure(truncated), truncated);
    EXPECT_EQ(OImage::getUsageCount(), 0); // failures leave no image counted
}

TEST_F(OImageTest, UsageCountTracksLiveImagesAndTheDecoderIsMadeAgainAfterTheLast) {
    std::string path = writeJpeg("small.jpg", std::vector<uint8_t>(4 * 4 * 3, 200), 4, 4, false);
    ASSERT_EQ(OImage::getUsageCount(), 0);
    {
        auto first = std::make_unique<OImage>(path.c_str(), -1, -1);
        OImage second(path.c_str(), -1, -1);
        EXPECT_EQ(OImage::getUsageCount(), 2);
        first.reset();
        EXPECT_EQ(OImage::getUsageCount(), 1);
    }
    EXPECT_EQ(OImage::getUsageCount(), 0);
    OImage again(path.c_str(), -1, -1); // the shared decoder is made again and works
    EXPECT_EQ(OImage::getUsageCount(), 1);
    EXPECT_EQ(again.getImage()[0], 200);
}

} // namespace
