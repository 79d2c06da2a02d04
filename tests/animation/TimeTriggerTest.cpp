// Time triggers and the scene manager: catching up one entry per poll, the terminator,
// and delivery in registration and attachment order.
#include "animation/SceneManager.h"
#include "animation/TimeTrigger.h"

#include <gtest/gtest.h>

#include <string>

TEST(TimeTrigger, CatchesUpOneEntryPerPollAndStopsAtTheTerminator) {
    const int32_t table[] = {100, 200, 300, -1};
    TimeTrigger trigger(table);
    EXPECT_FALSE(trigger.isDue(99));
    for (int poll = 0; poll < 3; ++poll) EXPECT_TRUE(trigger.isDue(350)) << "poll " << poll;
    EXPECT_FALSE(trigger.isDue(350));

    const int32_t exact[] = {250, -1}, terminatorOnly[] = {-1};
    TimeTrigger onTime(exact), empty(terminatorOnly);
    EXPECT_TRUE(onTime.isDue(250));
    EXPECT_FALSE(empty.isDue(250));
}

namespace {
struct RecordingListener : EventListener {
    RecordingListener(std::string& log, char name) : log(log), name(name) {}
    void advance(int32_t) override { log += name; }
    std::string& log;
    char name;
};
} // namespace

TEST(SceneManager, PollsSourcesInRegistrationOrderAndListenersInAttachmentOrder) {
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
    // every entry passed: second once, first once per frame
    for (int frame = 0; frame < 3; ++frame) manager.update(30);
    EXPECT_EQ(log, "cbaba");
    // a source taken off is no longer polled
    const int32_t again[] = {40, -1};
    TimeTrigger third(again);
    third.attach(&a);
    manager.add(&third);
    manager.remove(&third);
    manager.update(50);
    EXPECT_EQ(log, "cbaba");
}
