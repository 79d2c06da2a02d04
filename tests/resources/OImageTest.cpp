// OImage over JPEG files and bytes made by the test: pixel order, grey pictures, broken, unknown
// and oversized pictures, and the shared decoder made again after the last image goes.
#include "resources/OImage.h"
#include "TestFiles.h"
#include "platform/Errors.h"
#include "resources/FileServer.h"
#include "resources/JpegTestFiles.h"
#include "resources/Servers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class OImageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Loose-file mode, kept for the whole run; held here so that the leak check sees it in use.
        static Servers* kept = new Servers(11, 0, 200);
        (void)kept;
        files = getFileServer();
    }
    static inline FileServer* files = nullptr;

    // Writes a JPEG of the given pixels (3 bytes each, or 1 for grey) and returns its path.
    std::string writeJpeg(const std::string& file, const std::vector<uint8_t>& pixels, int width, int height,
                          bool grey = false) {
        std::string path = scratch.file(file);
        EXPECT_TRUE(writeTestJpeg(path, pixels, width, height, grey)) << path;
        return path;
    }
    // Writes the bytes; loading them must throw couldn't-read with the path as detail.
    void readFailure(const std::string& file, const std::string& bytes) {
        std::string path = scratch.file(file);
        if (file != "missing.jpg") std::ofstream(path, std::ios::binary) << bytes;
        try {
            OImage image(*files, path.c_str(), -1, -1);
        } catch (const ExceptionType& error) {
            EXPECT_STREQ(error.text, Errors::couldntReadFile.text);
            EXPECT_EQ(error.detail, path);
            return;
        }
        ADD_FAILURE() << "no error for " << path;
    }
    ScratchFolder scratch;
};

TEST_F(OImageTest, DecodesRedFirstAtTheJpegsOwnSizeAndGreyAsThreeEqualBytes) {
    // 16 x 8: the left half pure red, the right half pure blue; lossless enough at quality 100.
    std::vector<uint8_t> rgb(16 * 8 * 3);
    for (size_t k = 0; k < 16 * 8; ++k) rgb[3 * k + (k % 16 < 8 ? 0 : 2)] = 255;
    OImage image(*files, writeJpeg("colour.jpg", rgb, 16, 8).c_str(), -1, -1);
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(image.getWidth(), 16);
    EXPECT_EQ(image.getHeight(), 8);
    const uint8_t* top = image.getImage();
    EXPECT_TRUE(top[0] > 240 && top[1] < 16 && top[2] < 16); // red byte first
    EXPECT_TRUE(top[45] < 16 && top[47] > 240);             // the last pixel of the row is blue

    std::vector<uint8_t> grey(9 * 5); // odd sizes: no row padding in the buffer
    for (size_t k = 0; k < grey.size(); ++k) grey[k] = uint8_t(k * 5);
    OImage greyImage(*files, writeJpeg("grey.jpg", grey, 9, 5, true).c_str(), -1, -1);
    const uint8_t* pixels = greyImage.getImage();
    for (int k = 0; k < 9 * 5; ++k)
        ASSERT_TRUE(pixels[3 * k] == pixels[3 * k + 1] && pixels[3 * k] == pixels[3 * k + 2]) << k;
    EXPECT_NEAR(pixels[3 * 44], grey.back(), 3);
}

TEST_F(OImageTest, UnknownBrokenAndTruncatedFilesThrowCouldntReadWithTheName) {
    readFailure("missing.jpg", "");
    readFailure("text.jpg", "not a jpeg");
    // A good header followed by too little picture data.
    std::vector<uint8_t> rgb(64 * 64 * 3);
    for (size_t k = 0; k < rgb.size(); ++k) rgb[k] = uint8_t(k * 13);
    std::string bytes = readFileText(writeJpeg("whole.jpg", rgb, 64, 64));
    readFailure("truncated.jpg", bytes.substr(0, bytes.size() / 2));
}

// The JPEG with its frame header declaring width x height pixels.
std::vector<uint8_t> declaringSize(std::vector<uint8_t> jpeg, int width, int height) {
    for (size_t at = 2; at + 9 < jpeg.size(); at += 2 + (size_t(jpeg[at + 2]) << 8 | jpeg[at + 3])) {
        if (jpeg[at] == 0xFF && jpeg[at + 1] >= 0xC0 && jpeg[at + 1] <= 0xC2) {
            jpeg[at + 5] = uint8_t(height >> 8), jpeg[at + 6] = uint8_t(height);
            jpeg[at + 7] = uint8_t(width >> 8), jpeg[at + 8] = uint8_t(width);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

TEST_F(OImageTest, PicturesFromBytesDecodeAndOversizedHeadersAreRefusedByTheirDeclaredSize) {
    const std::vector<uint8_t> jpeg = readFileBytes(writeJpeg("bytes.jpg", std::vector<uint8_t>(8 * 8 * 3, 90), 8, 8));
    {
        OImage image("data/bytes.jpg", jpeg.data(), int32_t(jpeg.size()));
        EXPECT_NEAR(image.getImage()[8 * 8 * 3 - 1], 90, 2);
    }

    // Past the limit the size alone refuses the picture: 60000 x 60000 x 3 bytes would not even
    // be allocated, so any other error would be out-of-memory. At the limit the declared size is
    // accepted and the picture fails only where its data runs out.
    struct Case {
        int width, height;
        const char* detail;
    };
    for (const Case& c :
         {Case{60000, 60000, "data/huge.jpg (declares 60000x60000 pixels, more than 8192x8192)"},
          Case{8193, 1, "data/huge.jpg (declares 8193x1 pixels, more than 8192x8192)"},
          Case{1, 8193, "data/huge.jpg (declares 1x8193 pixels, more than 8192x8192)"},
          Case{OImage::maxSide, 8, "data/huge.jpg"}}) {
        std::vector<uint8_t> huge = declaringSize(jpeg, c.width, c.height);
        try {
            OImage image("data/huge.jpg", huge.data(), int32_t(huge.size()));
            ADD_FAILURE() << c.width << "x" << c.height << " decoded";
        } catch (const ExceptionType& error) {
            EXPECT_STREQ(error.text, Errors::couldntReadFile.text);
            EXPECT_STREQ(error.detail, c.detail);
        }
    }
    EXPECT_EQ(OImage::getUsageCount(), 0);
    // The shared decoder went with the last image and is made again for the next.
    EXPECT_NEAR(OImage("data/bytes.jpg", jpeg.data(), int32_t(jpeg.size())).getImage()[0], 90, 2);
}

} // namespace
