// Time triggers and the scene manager: catching up one entry per poll, the terminator,
// delivery order, and a beat table driving a sequence through the manager.
#include "ShowClockDriver.h"

#include "animation/IntSequence.h"
#include "animation/SceneManager.h"
#include "animation/TimeTrigger.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Writes its name into a shared log on every event.
class RecordingListener : public EventListener {
public:
    RecordingListener(std::string& log, char name) : log(log), name(name) {}
    void advance() override { log += name; }

private:
    std::string& log;
    char name;
};
} // namespace

TEST(TimeTrigger, CatchesUpOneEntryPerPoll) {
    ShowClockDriver clock;
    const int32_t table[] = {100, 200, 300, -1};
    TimeTrigger trigger(table);
    EXPECT_EQ(trigger.entryCount(), 3u);
    clock.at(99);
    EXPECT_FALSE(trigger.isDue());
    clock.at(350);
    EXPECT_TRUE(trigger.isDue());
    EXPECT_TRUE(trigger.isDue());
    EXPECT_FALSE(trigger.finished());
    EXPECT_TRUE(trigger.isDue());
    EXPECT_TRUE(trigger.finished());
    EXPECT_FALSE(trigger.isDue());
    clock.at(100000);
    EXPECT_FALSE(trigger.isDue()); // a finished trigger stays finished
}

TEST(TimeTrigger, EntryIsDueAtItsExactTime) {
    ShowClockDriver clock;
    const int32_t table[] = {0, 250, -1};
    TimeTrigger trigger(table);
    clock.at(0);
    EXPECT_TRUE(trigger.isDue());
    clock.at(249);
    EXPECT_FALSE(trigger.isDue());
    clock.at(250);
    EXPECT_TRUE(trigger.isDue());
}

TEST(TimeTrigger, TerminatorOnlyOrMissingTableIsFinishedFromTheStart) {
    ShowClockDriver clock;
    const int32_t table[] = {-1};
    TimeTrigger empty(table);
    TimeTrigger none(nullptr);
    clock.at(5000);
    EXPECT_TRUE(empty.finished());
    EXPECT_FALSE(empty.isDue());
    EXPECT_TRUE(none.finished());
    EXPECT_FALSE(none.isDue());
}

TEST(SceneManager, PollsSourcesInRegistrationOrderAndListenersInAttachmentOrder) {
    ShowClockDriver clock;
    std::string log;
    RecordingListener a(log, 'a'), b(log, 'b'), c(log, 'c');
    const int32_t early[] = {10, 20, -1};
    const int32_t late[] = {15, -1};
    TimeTrigger first(early), second(late);
    first.attach(&b);
    first.attach(&a);
    second.attach(&c);
    first.attach(nullptr); // ignored
    SceneManager manager;
    manager.add(&second);
    manager.add(&first);
    manager.add(nullptr); // ignored

    clock.at(5);
    manager.update();
    EXPECT_EQ(log, "");
    clock.at(30); // every entry passed: second once, first once per frame
    manager.update();
    EXPECT_EQ(log, "cba");
    manager.update();
    EXPECT_EQ(log, "cbaba");
    manager.update();
    EXPECT_EQ(log, "cbaba");
}

TEST(SceneManager, BeatTableAdvancesASequenceThroughTheSingleInstance) {
    ShowClockDriver clock;
    EXPECT_EQ(&SceneManager::instance(), &SceneManager::instance());
    // Registered for the rest of the program, as the pieces' triggers are.
    static const int32_t beats[] = {500, 1000, -1};
    static IntSequence counter;
    counter.add(0, 0, 0);
    counter.add(1, 0, 0);
    counter.add(2, 0, 0);
    static TimeTrigger trigger(beats);
    trigger.attach(&counter);
    SceneManager::instance().add(&trigger);

    int32_t seen[3] = {};
    for (int32_t ms : {400, 600, 1200}) {
        clock.at(ms);
        SceneManager::instance().update();
        seen[ms / 500] = counter.value();
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[1], 1);
    EXPECT_EQ(seen[2], 2);
}
