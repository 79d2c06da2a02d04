// Time triggers and the scene manager: catching up one entry per poll, the terminator,
// and delivery in registration and attachment order.
#include "ShowClockDriver.h"

#include "animation/SceneManager.h"
#include "animation/TimeTrigger.h"

#include <gtest/gtest.h>

#include <string>

TEST(TimeTrigger, CatchesUpOneEntryPerPollAndStopsAtTheTerminator) {
    ShowClockDriver clock;
    const int32_t table[] = {100, 200, 300, -1};
    TimeTrigger trigger(table);
    clock.at(99);
    EXPECT_FALSE(trigger.isDue());
    clock.at(350);
    for (int poll = 0; poll < 3; ++poll) EXPECT_TRUE(trigger.isDue()) << "poll " << poll;
    EXPECT_TRUE(trigger.finished());
    EXPECT_FALSE(trigger.isDue());

    const int32_t exact[] = {250, -1}, terminatorOnly[] = {-1};
    TimeTrigger onTime(exact), empty(terminatorOnly), none(nullptr);
    clock.at(250);
    EXPECT_TRUE(onTime.isDue());
    EXPECT_TRUE(empty.finished());
    EXPECT_FALSE(empty.isDue());
    EXPECT_FALSE(none.isDue());
}

namespace {
struct RecordingListener : EventListener {
    RecordingListener(std::string& log, char name) : log(log), name(name) {}
    void advance() override { log += name; }
    std::string& log;
    char name;
};
} // namespace

TEST(SceneManager, PollsSourcesInRegistrationOrderAndListenersInAttachmentOrder) {
    ShowClockDriver clock;
    std::string log;
    RecordingListener a(log, 'a'), b(log, 'b'), c(log, 'c');
    const int32_t early[] = {10, 20, -1}, late[] = {15, -1};
    TimeTrigger first(early), second(late);
    first.attach(&b);
    first.attach(&a);
    second.attach(&c);
    SceneManager manager;
    manager.add(&second);
    manager.add(&first);
    clock.at(5);
    manager.update();
    EXPECT_EQ(log, "");
    clock.at(30); // every entry passed: second once, first once per frame
    for (int frame = 0; frame < 3; ++frame) manager.update();
    EXPECT_EQ(log, "cbaba");
}
