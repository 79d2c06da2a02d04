// The menu's toggles and buttons: hover, glow, colour, clicks and the pixels they draw.
#include "platform/DisplayDevice.h"
#include "shell/PushButton.h"
#include "shell/ToggleButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 1024x768 destination, the clock's frame step and a clean mouse for every test.
class MenuControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DisplayInput::reset();
        frame.assign(size_t(1024) * 768, 0xDEADBEEF);
    }
    void TearDown() override {
        DisplayInput::reset();
    }

    // The next frame step: `units` whole clock units.
    void step(int units) { frameStep = units; }
    int32_t frameStep = 0;

    static ControlImage solid(int32_t width, int32_t height, uint32_t pixel) {
        return ControlImage{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel)};
    }

    uint32_t at(int32_t x, int32_t y) const { return frame[size_t(y) * 1024 + size_t(x)] & 0xFFFFFF; }
    uint8_t* destination() { return reinterpret_cast<uint8_t*>(frame.data()); }

    std::vector<uint32_t> frame;
};

TEST_F(MenuControlsTest, HoverIsStrictlyInsideAndTheGlowFollowsTheClockStep) {
    ToggleButton centred(solid(41, 20, 0x808080), 512, 192, destination());
    EXPECT_EQ(centred.getX(), 512 - 20); // a toggle is centred; 41 / 2 truncates
    EXPECT_EQ(centred.getY(), 192 - 10);
    ToggleButton toggle(solid(20, 10, 0x808080), 110, 105, destination()); // corner (100, 100)
    DisplayInput::reportMouseMove(100, 105);                               // on the left edge: outside
    step(1);
    toggle.animate(frameStep);
    EXPECT_EQ(toggle.getHoverState(), 1);

    DisplayInput::reportMouseMove(101, 101);
    step(0); // no whole unit passed: nothing moves
    toggle.animate(frameStep);
    EXPECT_EQ(toggle.getHoverState(), 2);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 0.0f);

    step(3);
    toggle.animate(frameStep);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 0.6f);
    step(3);
    toggle.animate(frameStep);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 1.0f); // capped

    DisplayInput::reportMouseMove(119, 110); // bottom edge: outside again
    step(4);
    toggle.animate(frameStep);
    EXPECT_EQ(toggle.getHoverState(), 1);
    EXPECT_FLOAT_EQ(toggle.getHighlight(), 0.8f);
}

TEST_F(MenuControlsTest, ClicksFlipTheToggleAndAreConsumedByTheFirstControl) {
    ToggleButton first(solid(20, 10, 0x808080), 110, 105, destination());
    ToggleButton overlapping(solid(20, 10, 0x808080), 110, 105, destination());
    DisplayInput::reportClick(110, 105);
    step(2);
    first.animate(frameStep);
    overlapping.animate(frameStep);
    EXPECT_FALSE(first.isOn());
    EXPECT_TRUE(overlapping.isOn()); // the click was taken by the first one
    EXPECT_FLOAT_EQ(first.getBrightness(), 1.0f - 2 * 0.07f);

    // Off fades to 0.05 and stays there; a second click brings it back up slowly.
    step(20);
    first.animate(frameStep);
    EXPECT_FLOAT_EQ(first.getBrightness(), 0.05f);
    DisplayInput::reportClick(101, 101);
    step(5);
    first.animate(frameStep);
    EXPECT_TRUE(first.isOn());
    EXPECT_FLOAT_EQ(first.getBrightness(), 0.05f + 5 * 0.02f);

    // A click on the edge does not count and stays pending for a control that contains it.
    DisplayInput::reportClick(100, 101);
    step(1);
    first.animate(frameStep);
    EXPECT_TRUE(first.isOn());
    EXPECT_TRUE(DisplayInput::takeClickIn(90, 90, 130, 130));
}

TEST_F(MenuControlsTest, ButtonGlowNeverFallsBelowFortyPercentAndItsPressSticks) {
    PushButton button(solid(10, 10, 0xC8C8C8), 50, 50, destination());
    DisplayInput::reportMouseMove(55, 55);
    step(2);
    button.animate(frameStep);
    EXPECT_FLOAT_EQ(button.getHighlight(), 0.8f);
    DisplayInput::reportMouseMove(5, 5);
    step(10);
    button.animate(frameStep);
    EXPECT_FLOAT_EQ(button.getHighlight(), 0.4f);

    DisplayInput::reportClick(55, 55);
    for (int frame = 0; frame < 2; ++frame) {
        step(1);
        button.animate(frameStep);
        EXPECT_TRUE(button.isPressed());
    }
}


TEST_F(MenuControlsTest, ToggleDrawsGreyMixAndAGlowingFrame) {
    // red 200, green 100, blue 30: grey = 330 / 3 = 110.
    ToggleButton toggle(solid(5, 5, 0x00C8641E), 12, 12, destination()); // corner (10, 10)
    step(0);
    toggle.update(frameStep);
    EXPECT_EQ(at(12, 12), 0xC8641Eu); // brightness 1: the picture itself
    EXPECT_EQ(at(10, 10), 0x000000u); // no glow: a black frame
    EXPECT_EQ(at(14, 12), 0x000000u);

    DisplayInput::reportClick(12, 12);
    DisplayInput::reportMouseMove(12, 12);
    step(20);
    toggle.update(frameStep); // off at 0.05, glow 1.0
    // out = 0.95 x (110 x 0.05) + v x 0.05: 15.225, 10.225, 6.725
    EXPECT_EQ(at(12, 12), 0x0F0A06u);
    // Frame: each channel x 1.0 x 1.5, truncated: 22, 15, 9.
    EXPECT_EQ(at(10, 12), 0x160F09u);

    // A bright frame saturates at 255.
    ToggleButton bright(solid(3, 3, 0x00FFFFFF), 101, 101, destination());
    DisplayInput::reportMouseMove(101, 101);
    step(5);
    bright.update(frameStep);
    EXPECT_EQ(at(100, 100), 0xFFFFFFu);
}

TEST_F(MenuControlsTest, ButtonDrawsEachChannelScaledByTheGlowCutToTheFrameBuffer) {
    PushButton button(solid(4, 3, 0x00C86432), 10, 20, destination());
    step(0);
    button.update(frameStep); // highlight 0.4: 200, 100, 50 become 80, 40, 20
    EXPECT_EQ(at(10, 20), 0x502814u); // a button is placed by its corner
    EXPECT_EQ(at(13, 22), 0x502814u);
    EXPECT_EQ(at(14, 22), 0xADBEEFu); // nothing beside it
    EXPECT_EQ(at(10, 23), 0xADBEEFu);

    std::vector<uint32_t> guarded(size_t(1024) * 768 + 1024, 0x12345678);
    PushButton wide(solid(200, 50, 0xFFFFFF), 960, 740, reinterpret_cast<uint8_t*>(guarded.data()));
    wide.update(frameStep);
    EXPECT_EQ(guarded[size_t(767) * 1024 + 1023] & 0xFFFFFF, 0x666666u); // 255 x 0.4
    EXPECT_EQ(guarded[size_t(768) * 1024], 0x12345678u);                 // past the end: untouched
    EXPECT_EQ(guarded[size_t(741) * 1024 + 0], 0x12345678u);             // no wrap to the next row
}

} // namespace
