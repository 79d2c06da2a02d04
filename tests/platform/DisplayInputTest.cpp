// Mouse position and pending clicks shared by the display backends.
#include "platform/DisplayDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayInput, ClicksCountOnlyStrictlyInsideAndAreTakenOnce) {
    DisplayInput::reset();
    EXPECT_EQ(DisplayInput::getMouseX(), -1);
    EXPECT_EQ(DisplayInput::getMouseY(), -1);
    EXPECT_FALSE(DisplayInput::takeClickIn(-10, -10, 10, 10)); // (-1, -1) is no click

    DisplayInput::reportClick(100, 50);
    // Every edge of the rectangle is outside.
    EXPECT_FALSE(DisplayInput::takeClickIn(100, 0, 200, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 100, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 50, 200, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 200, 50));
    // The misses left it pending; the first rectangle that holds it takes it.
    EXPECT_TRUE(DisplayInput::takeClickIn(99, 49, 101, 51));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 1000, 1000));
    DisplayInput::reportMouseMove(100, 50); // a moving mouse is no click
    EXPECT_EQ(DisplayInput::getMouseX(), 100);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 1000, 1000));

    DisplayInput::reportClick(10, 10); // a later click replaces an untaken one
    DisplayInput::reportClick(500, 500);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 20, 20));
    EXPECT_TRUE(DisplayInput::takeClickIn(400, 400, 600, 600));
    DisplayInput::reset();
}

} // namespace
