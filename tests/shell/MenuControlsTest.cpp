// The menu's toggles and buttons: hover strictly inside, the glow's bounds, clicks taken by the
// first control that holds them, and pixels drawn only inside the frame buffer.
#include "platform/DisplayDevice.h"
#include "shell/PushButton.h"
#include "shell/ToggleButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 1024x768 destination and a clean mouse for every test.
class MenuControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DisplayInput::reset();
        frame.assign(size_t(1024) * 768, 0xDEADBEEF);
    }
    void TearDown() override { DisplayInput::reset(); }

    static ControlImage solid(int32_t width, int32_t height, uint32_t pixel) {
        return ControlImage{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel)};
    }
    uint32_t at(int32_t x, int32_t y) const { return frame[size_t(y) * 1024 + size_t(x)] & 0xFFFFFF; }
    uint8_t* destination() { return reinterpret_cast<uint8_t*>(frame.data()); }

    std::vector<uint32_t> frame;
};

TEST_F(MenuControlsTest, HoverIsStrictlyInsideAndTheGlowIsCapped) {
    ToggleButton centred(solid(41, 20, 0x808080), 512, 192, destination());
    EXPECT_EQ(centred.getX(), 512 - 20); // a toggle is centred; 41 / 2 truncates
    ToggleButton toggle(solid(20, 10, 0x808080), 110, 105, destination()); // corner (100, 100)
    DisplayInput::reportMouseMove(100, 105); // on the left edge: outside
    toggle.animate(1);
    EXPECT_EQ(toggle.getHoverState(), 1);
    DisplayInput::reportMouseMove(101, 101);
    toggle.animate(0); // no whole clock unit passed: nothing moves
    EXPECT_EQ(toggle.getHoverState(), 2);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 0.0f);
    toggle.animate(6);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 1.0f); // capped
    DisplayInput::reportMouseMove(119, 110); // bottom edge: outside again
    toggle.animate(4);
    EXPECT_EQ(toggle.getHoverState(), 1);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 0.8f);

    PushButton button(solid(10, 10, 0xC8C8C8), 50, 50, destination());
    DisplayInput::reportMouseMove(55, 55);
    button.animate(2);
    EXPECT_FLOAT_EQ(button.getHighlight(), 0.8f);
    DisplayInput::reportMouseMove(5, 5);
    button.animate(10);
    EXPECT_FLOAT_EQ(button.getHighlight(), 0.4f); // a button's glow never falls below 40 %
}

TEST_F(MenuControlsTest, ClicksFlipTheToggleAndAreConsumedByTheFirstControl) {
    ToggleButton first(solid(20, 10, 0x808080), 110, 105, destination());
    ToggleButton overlapping(solid(20, 10, 0x808080), 110, 105, destination());
    DisplayInput::reportClick(110, 105);
    first.animate(2);
    overlapping.animate(2);
    EXPECT_FALSE(first.isOn());
    EXPECT_TRUE(overlapping.isOn()); // the click was taken by the first one
    // Off fades to 0.05 and stays there.
    first.animate(20);
    EXPECT_FLOAT_EQ(first.getBrightness(), 0.05f);
    // A click on the edge does not count and stays pending for a control that contains it.
    DisplayInput::reportClick(100, 101);
    first.animate(1);
    EXPECT_FALSE(first.isOn());
    EXPECT_TRUE(DisplayInput::takeClickIn(90, 90, 130, 130));

    PushButton button(solid(10, 10, 0xC8C8C8), 50, 50, destination());
    DisplayInput::reportClick(55, 55);
    for (int frame = 0; frame < 2; ++frame) {
        button.animate(1);
        EXPECT_TRUE(button.isPressed()) << "a press sticks";
    }
}

TEST_F(MenuControlsTest, ControlsDrawOnlyInsideTheirPlaceAndTheFrameBuffer) {
    ToggleButton toggle(solid(5, 5, 0x00C8641E), 12, 12, destination()); // corner (10, 10)
    toggle.update(0);
    EXPECT_EQ(at(12, 12), 0xC8641Eu); // brightness 1: the picture itself
    EXPECT_EQ(at(10, 10), 0x000000u); // no glow: a black frame
    EXPECT_EQ(at(15, 12), 0xADBEEFu); // nothing beside it
    // A bright frame saturates at 255.
    ToggleButton bright(solid(3, 3, 0x00FFFFFF), 101, 101, destination());
    DisplayInput::reportMouseMove(101, 101);
    bright.update(5);
    EXPECT_EQ(at(100, 100), 0xFFFFFFu);

    PushButton button(solid(4, 3, 0x00C86432), 10, 20, destination());
    button.update(0); // highlight 0.4: 200, 100, 50 become 80, 40, 20
    EXPECT_EQ(at(10, 20), 0x502814u); // a button is placed by its corner
    EXPECT_EQ(at(14, 22), 0xADBEEFu);
    EXPECT_EQ(at(10, 23), 0xADBEEFu);
    std::vector<uint32_t> guarded(size_t(1024) * 768 + 1024, 0x12345678);
    PushButton wide(solid(200, 50, 0xFFFFFF), 960, 740, reinterpret_cast<uint8_t*>(guarded.data()));
    wide.update(0);
    EXPECT_EQ(guarded[size_t(767) * 1024 + 1023] & 0xFFFFFF, 0x666666u); // 255 x 0.4
    EXPECT_EQ(guarded[size_t(768) * 1024], 0x12345678u);                 // past the end: untouched
    EXPECT_EQ(guarded[size_t(741) * 1024 + 0], 0x12345678u);             // no wrap to the next row
}

} // namespace
