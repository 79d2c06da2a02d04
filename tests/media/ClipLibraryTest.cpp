// The clip store's cross-fade: the weights at 1.0, just below and 0.0, one clip at two times,
// unknown names, and the row roll.
#include "MediaTestSupport.h"

#include "media/ClipLibrary.h"
#include "media/ProductTable.h"
#include "media/VideoClip.h"
#include "platform/FrameBuffer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace MediaTest;

namespace {

// Clip "a" is numbered; clip "b" is flat 200, 100, 50 (blue, green, red).
class ClipLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        useFrameBufferSettings();
        target = std::make_unique<FrameBuffer>(16, 8, false);
        mirrorClips = false;
        ASSERT_TRUE(writeClip(a, "ffv1", 16, 8, 23, 30, numberedPixel));
        ASSERT_TRUE(writeClip(b, "ffv1", 16, 8, 23, 30, [](int, int, int) { return 0x3264C8u; }));
        library.addClips({{a, 1300}, {b, 1300}});
        library.setTarget(target.get());
    }
    void TearDown() override {
        library.clear();
        library.setTarget(nullptr);
    }
    const uint8_t* out(int x, int y) { return target->getPixels() + (y * 16 + x) * 4; }
    static int scaled(int weight, int value) { return productTable()[weight * 256 + value]; }

    ScratchFolder folder;
    std::string a = folder.file("a.avi"), b = folder.file("b.avi");
    std::unique_ptr<FrameBuffer> target;
    ClipLibrary& library = ClipLibrary::instance();
};

} // namespace

TEST_F(ClipLibraryTest, MixWeightsTheCurrentAndThePreviousClip) {
    for (int value = 0; value < 256; ++value) ASSERT_EQ(scaled(255, value), value) << "the identity row";
    // 1.0: the current clip alone; clip frame 2 holds file frame 1 (decoded at 86 ms)
    library.mix(a, 130, b, 0, 1.0f);
    EXPECT_EQ(out(3, 2)[0], 8);
    EXPECT_EQ(out(3, 2)[1], 48);
    EXPECT_EQ(out(3, 2)[2], 64);
    // 0.0: the current clip unchanged through the identity row
    std::fill_n(target->getPixels(), 16 * 8 * 4, 0);
    library.mix(a, 130, b, 0, 0.0f);
    EXPECT_EQ(out(3, 2)[1], 48);
    EXPECT_EQ(out(3, 2)[2], 64);
    // 0.999: almost only the previous clip (weights 254 and 0)
    library.mix(a, 130, b, 0, 0.999f);
    EXPECT_EQ(out(3, 2)[0], scaled(254, 200));
    EXPECT_EQ(out(3, 2)[1], scaled(254, 100));
    EXPECT_EQ(out(3, 2)[2], scaled(254, 50));
}

TEST_F(ClipLibraryTest, OneClipAtTwoTimesBlendsTwoDistinctFrames) {
    library.mix(a, 1000, a, 0, 0.5f); // current frame 23 (blue 22 x 8 after decoding), previous frame 0
    VideoClip* clip = library.getClip(a);
    int currentBlue = clip->getFrame(clip->frameIndexAt(1000))[0];
    ASSERT_NE(currentBlue, 0);
    EXPECT_EQ(out(0, 0)[0], scaled(127, 0) + scaled(127, currentBlue));
    EXPECT_EQ(out(9, 4)[1], scaled(127, 144) + scaled(127, 144));

    // unknown names and a missing target draw nothing and do not crash
    std::fill_n(target->getPixels(), 16 * 8 * 4, 0);
    library.mix("nothing", 0, b, 0, 0.5f);
    library.mix(a, 0, "nothing", 0, 0.75f);
    EXPECT_EQ(out(3, 3)[2], 0);
    EXPECT_EQ(library.getClipSurface("nothing"), nullptr);
    library.setTarget(nullptr);
    library.mix(a, 0, b, 0, 0.5f);
}

TEST_F(ClipLibraryTest, TheRollShiftsRowsOnlyBelowTheClipHeight) {
    for (int32_t r : {1, 5, 7}) {
        library.mix(a, 0, b, 0, 0.0f, r);
        for (int y = 0; y < 8; ++y) EXPECT_EQ(out(2, y)[2], ((y + r) % 8) * 32) << "row " << y << " roll " << r;
    }
    for (int32_t r : {-1, 8, 239}) {
        library.mix(a, 0, b, 0, 0.0f, r);
        for (int y = 0; y < 8; ++y) EXPECT_EQ(out(2, y)[2], y * 32) << "offset " << r << " rolls nothing";
    }
}
