// The show clock driven by a scripted tick counter: units, set operations, wrap-around, errors.
#include "platform/Errors.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

namespace {
uint32_t tick = 0;
uint32_t step = 0; // added to the tick after every read
uint32_t readTick() {
    uint32_t now = tick;
    tick += step;
    return now;
}

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        tick = 100000;
        step = 0;
        Sys_SetTickSource(readTick);
    }
    void TearDown() override { Sys_SetTickSource(nullptr); }
    Timer clock;
};

// Runs update and tells whether it refused with the timer's error.
bool updateRefused(Timer& clock) {
    try {
        clock.update();
    } catch (const ExceptionSpace::Exception& error) {
        EXPECT_EQ(error.message, "An attempt was made to use the timer before it was started!");
        EXPECT_EQ(error.file, "Timer");
        return true;
    }
    return false;
}
} // namespace

TEST_F(TimerTest, UpdateRefusesAStoppedClock) {
    EXPECT_TRUE(updateRefused(clock));
    clock.start();
    EXPECT_FALSE(updateRefused(clock));
    clock.stop();
    EXPECT_TRUE(updateRefused(clock));
}

TEST_F(TimerTest, UnitsAreSeventyOnePerSecondAndStartResetsTime) {
    clock.start();
    tick += 1000;
    clock.update();
    EXPECT_EQ(clock.getElapsedMs(), 1000);
    EXPECT_EQ(clock.getTime(), 71);
    EXPECT_EQ(clock.getDeltaTime(), 71);
    tick += 500;
    clock.update();
    EXPECT_EQ(clock.getElapsedMs(), 1500);
    EXPECT_EQ(clock.getTime(), 106);     // 106.5 truncated
    EXPECT_EQ(clock.getDeltaTime(), 35); // 35.5 truncated

    clock.stop();
    tick += 777;
    clock.start();
    EXPECT_EQ(clock.getTime(), 0);
    EXPECT_EQ(clock.getDeltaMs(), 0);
    EXPECT_EQ(clock.getDeltaTime(), 35); // the last unit step survives a restart
}

TEST_F(TimerTest, TheThirdTickReadStartsTheNextStep) {
    step = 1;       // every read of the counter sees one more millisecond
    clock.start();  // reads 100000
    clock.update(); // reads 100001 (elapsed), 100002 (step), 100003 (kept)
    EXPECT_EQ(clock.getElapsedMs(), 1);
    EXPECT_EQ(clock.getDeltaMs(), 2);
    clock.update(); // the millisecond between the second and third read is lost
    EXPECT_EQ(clock.getElapsedMs(), 4);
    EXPECT_EQ(clock.getDeltaMs(), 2);
}

TEST_F(TimerTest, SetTimeInUnitsAndMilliseconds) {
    clock.setTime(0); // allowed while stopped, and leaves the clock stopped
    EXPECT_FALSE(clock.isStarted());
    clock.start();
    clock.setTime(142);
    clock.setTime(213);
    EXPECT_EQ(clock.getDeltaTime(), 71);
    EXPECT_EQ(clock.getDeltaMs(), 1000);
    EXPECT_EQ(clock.getElapsedMs(), 3000);
    // Rendered frames step 2 units at a time; milliseconds truncate.
    clock.setTime(2);
    EXPECT_EQ(clock.getElapsedMs(), 28); // 28.17
    EXPECT_EQ(clock.getDeltaTime(), -211);

    clock.setTime(142);
    tick += 500;
    clock.update();
    EXPECT_EQ(clock.getTime(), 177); // 2.5 s x 71 = 177.5
    clock.setTimeMs(1500);
    EXPECT_EQ(clock.getTime(), 106);
    EXPECT_EQ(clock.getDeltaMs(), 1500 - int32_t(tick)); // measured against the last tick read
    tick += 250;
    clock.update();
    EXPECT_EQ(clock.getElapsedMs(), 1750);
    clock.setTime(142); // setTimeMs kept the whole-unit time for this step
    EXPECT_EQ(clock.getDeltaTime(), 142 - 106);
}

TEST_F(TimerTest, WrapAroundAndLagging) {
    tick = 0xFFFFFF00u;
    clock.start();
    tick += 356; // wraps
    clock.update();
    EXPECT_EQ(clock.getElapsedMs(), 356);
    EXPECT_EQ(clock.getTime(), 25);

    clock.setTime(71);
    EXPECT_FALSE(clock.isLagging()); // 1000 ms is exactly 71 units
    tick += 14;
    EXPECT_FALSE(clock.isLagging()); // 71.99 truncates to 71
    tick += 1;
    EXPECT_TRUE(clock.isLagging());
}
