// Mouse position, pending clicks and the quit report shared by the display backends.
#include "platform/DisplayDevice.h"

#include <gtest/gtest.h>

namespace {

class DisplayInputTest : public ::testing::Test {
  protected:
    void SetUp() override { DisplayInput::reset(); }
    void TearDown() override {
        DisplayInput::reset();
        DisplayInput::setQuitHandler(nullptr);
    }
};

TEST_F(DisplayInputTest, NoPositionAndNoClickBeforeAnyEvent) {
    EXPECT_EQ(DisplayInput::getMouseX(), -1);
    EXPECT_EQ(DisplayInput::getMouseY(), -1);
    // No pending click even in a rectangle that contains (-1, -1).
    EXPECT_FALSE(DisplayInput::takeClickIn(-10, -10, 10, 10));
    DisplayInput::reportMouseMove(300, 20);
    EXPECT_EQ(DisplayInput::getMouseX(), 300);
    EXPECT_EQ(DisplayInput::getMouseY(), 20);
}

TEST_F(DisplayInputTest, AClickCountsOnlyStrictlyInsideAndIsTakenOnce) {
    DisplayInput::reportClick(100, 50);
    // Every edge of the rectangle is outside.
    EXPECT_FALSE(DisplayInput::takeClickIn(100, 0, 200, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 100, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 50, 200, 100));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 200, 50));
    // The misses left it pending; the first rectangle that holds it takes it.
    EXPECT_TRUE(DisplayInput::takeClickIn(99, 49, 101, 51));
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 1000, 1000));
    // A moving mouse is no click.
    DisplayInput::reportMouseMove(100, 50);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 1000, 1000));
}

TEST_F(DisplayInputTest, ALaterClickReplacesAnUntakenOne) {
    DisplayInput::reportClick(10, 10);
    DisplayInput::reportClick(500, 500);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 20, 20));
    EXPECT_TRUE(DisplayInput::takeClickIn(400, 400, 600, 600));
}

int quitReports = 0;
void countQuit() {
    ++quitReports;
}

TEST_F(DisplayInputTest, QuitReportsReachTheHandlerWhenOneIsSet) {
    quitReports = 0;
    DisplayInput::reportQuit(); // no handler: nothing happens
    DisplayInput::setQuitHandler(countQuit);
    DisplayInput::reportQuit();
    DisplayInput::reportQuit();
    EXPECT_EQ(quitReports, 2);
}

} // namespace
