// The clip store's cross-fade: the weights at 1.0, just below and 0.0, one clip at two times,
// unknown names, and the blend (with the row roll) from decoded frames against drawn pictures.
#include "MediaTestSupport.h"

#include "platform/DisplayPair.h"
#include "media/clips/ClipLibrary.h"
#include "media/clips/ProductTable.h"
#include "media/clips/VideoClip.h"
#include "platform/FrameBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

using namespace MediaTest;

namespace {

// Clip "a" is numbered; clip "b" is flat 200, 100, 50 (blue, green, red).
class ClipLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeDisplaySettings(640, 480);
        target = std::make_unique<FrameBuffer>(16, 8, false);
        mirrorClips = false;
        ASSERT_TRUE(writeClip(a, 16, 8, 23, 30, numberedPixel));
        ASSERT_TRUE(writeClip(b, 16, 8, 23, 30, [](int, int, int) { return 0x3264C8u; }));
        library.addClips({{a, 1300}, {b, 1300}});
        library.setTarget(target.get());
    }
    void TearDown() override {
        library.clear();
        library.setTarget(nullptr);
    }
    // Blue, green and red of the target's pixel (3, 2).
    std::vector<int> pixel() {
        const uint8_t* p = target->getPixels() + (2 * 16 + 3) * 4;
        return {p[0], p[1], p[2]};
    }
    static int scaled(int weight, int value) { return productTable()[weight * 256 + value]; }

    ScratchFolder folder;
    std::string a = folder.file("a.avi"), b = folder.file("b.avi");
    std::unique_ptr<FrameBuffer> target;
    ClipLibrary library;
};

// The plain cross-fade the library's must equal: each frame drawn into a picture of its own
// (turned there while mirrorClips is set), then the two pictures blended row by row.
void referenceMix(FrameBuffer& target, VideoClip& current, int32_t currentMs, VideoClip& previous,
                  int32_t previousMs, float mix, int32_t roll) {
    FrameBuffer currentPicture(current.getWidth(), current.getHeight(), false);
    FrameBuffer previousPicture(previous.getWidth(), previous.getHeight(), false);
    current.draw(&currentPicture, currentMs);
    previous.draw(&previousPicture, previousMs);
    const int32_t p = std::clamp(int32_t(mix * 255.0f), 0, 255);
    const int32_t q = std::clamp(int32_t((1.0f - mix) * 255.0f), 0, 255);
    const int32_t width = std::min({current.getWidth(), previous.getWidth(), target.getWidth()});
    const int32_t height = std::min(current.getHeight(), previous.getHeight());
    if (roll < 0 || roll >= height) roll = 0;
    const int64_t stride = int64_t(target.getWidth()) + target.isDoubled();
    for (int32_t y = 0; y < height; ++y) {
        const int64_t line = int64_t(target.getTop()) + y;
        if (line < 0 || line >= target.getHeight()) continue;
        const int32_t source = (y + roll) % height;
        ClipLibrary::blendRow(target.getPixels() + line * stride * 4,
                              currentPicture.getPixels() + int64_t(source) * current.getWidth() * 4,
                              previousPicture.getPixels() + int64_t(source) * previous.getWidth() * 4, width,
                              p, q);
    }
}

std::vector<uint8_t> storeBytes(FrameBuffer& frameBuffer) {
    const size_t bytes =
        size_t(frameBuffer.getWidth() + frameBuffer.isDoubled()) * frameBuffer.getHeight() * 4;
    return {frameBuffer.getPixels(), frameBuffer.getPixels() + bytes};
}

} // namespace

TEST_F(ClipLibraryTest, MixWeightsTheCurrentAndThePreviousClip) {
    for (int value = 0; value < 256; ++value)
        ASSERT_EQ(scaled(255, value), value) << "the identity row";
    // 1.0: the current clip alone; clip frame 2 holds file frame 1 (decoded at 86 ms)
    library.mix(a, 130, b, 0, 1.0f);
    EXPECT_EQ(pixel(), (std::vector<int>{8, 48, 64}));
    // 0.0: the current clip unchanged through the identity row
    std::fill_n(target->getPixels(), 16 * 8 * 4, 0);
    library.mix(a, 130, b, 0, 0.0f);
    EXPECT_EQ(pixel(), (std::vector<int>{8, 48, 64}));
    // 0.999: almost only the previous clip (weights 254 and 0)
    library.mix(a, 130, b, 0, 0.999f);
    EXPECT_EQ(pixel(), (std::vector<int>{scaled(254, 200), scaled(254, 100), scaled(254, 50)}));
}

TEST_F(ClipLibraryTest, UnknownNamesAndAMissingTargetDrawNothing) {
    library.mix("nothing", 0, b, 0, 0.5f);
    library.mix(a, 0, "nothing", 0, 0.75f);
    EXPECT_EQ(pixel(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(library.getClipSurface("nothing"), nullptr);
    library.setTarget(nullptr);
    library.mix(a, 0, b, 0, 0.5f);
}

TEST_F(ClipLibraryTest, BlendFromDecodedFramesEqualsBlendOfDrawnPictures) {
    // Clip "c" is smaller than "a" and "b" and differs in every byte, frame to frame.
    const std::string c = folder.file("c.avi");
    ASSERT_TRUE(writeClip(c, 12, 10, 23, 30, [](int f, int x, int y) {
        return uint32_t((x * 20 + y * 7 + f * 3) & 255) << 16 | uint32_t((x * 3 + y * 25 + f) & 255) << 8 |
               uint32_t((f * 11 + x * 5 + y) & 255);
    }));
    library.addClip(c, 1300);
    // Targets of width, height, doubled and top. Rolls past the clip height (9 of 8 lines) roll nothing.
    for (auto [width, height, doubled, top] : {std::tuple{16, 8, false, 0}, std::tuple{16, 8, true, 0},
                                               std::tuple{10, 6, true, 3}, std::tuple{20, 12, false, -2},
                                               std::tuple{20, 12, true, 4}}) {
        for (const auto& [current, previous] : {std::pair{a, b}, std::pair{a, a}, std::pair{c, a}, std::pair{b, c}}) {
            for (bool mirrored : {false, true}) {
                for (float mix : {0.0f, 0.3f, 0.5f, 0.999f}) {
                    for (int32_t roll : {0, 3, 7, 9}) {
                        FrameBuffer direct(width, height, doubled);
                        FrameBuffer reference(width, height, doubled);
                        for (FrameBuffer* store : {&direct, &reference}) {
                            uint8_t* pixels = store->getPixels();
                            for (size_t i = 0; i < storeBytes(*store).size(); ++i)
                                pixels[i] = uint8_t(i * 7 + 1);
                            store->setTop(top);
                        }
                        mirrorClips = mirrored;
                        library.setTarget(&direct);
                        library.mix(current, 130, previous, 560, mix, roll);
                        referenceMix(reference, *library.getClip(current), 130, *library.getClip(previous), 560,
                                     mix, roll);
                        ASSERT_EQ(storeBytes(direct), storeBytes(reference))
                            << width << "x" << height << (doubled ? " doubled" : "") << " top " << top << ", "
                            << current << " over " << previous << (mirrored ? " turned" : "") << ", mix " << mix
                            << ", roll " << roll;
                    }
                }
            }
        }
    }
}
