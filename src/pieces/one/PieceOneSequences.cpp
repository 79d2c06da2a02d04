// Building piece one's sequences and triggers.
#include "pieces/one/PieceOneSequences.h"

#include "animation/SceneManager.h"
#include "pieces/one/BeatTables.h"
#include "platform/ShowRandom.h"

namespace {
constexpr int32_t envelopeCount = 155;

// One short random envelope from its three draws: a flash that settles to `settle` after 500 ms.
void addEnvelope(IntSequence& sequence, const int32_t* draws, int32_t settle) {
    int32_t r1 = draws[0] % 50 + 3;
    int32_t r2 = draws[1] % 60 + 3;
    int32_t r3 = draws[2] % 20 + 3;
    sequence.add(r1, 0, 1);
    sequence.add(r2, 150, 1);
    sequence.add(r3, 250, 1);
    sequence.add(10, 350, 1);
    sequence.add(settle, 500, 1);
}
} // namespace

FlickerDraws drawFlickerEnvelopes() {
    FlickerDraws draws(size_t(3 * envelopeCount));
    for (int32_t& draw : draws)
        draw = ShowRandom::next();
    return draws;
}

PieceOneSequences::~PieceOneSequences() {
    for (const auto& trigger : triggers)
        manager.remove(trigger.get());
}

void PieceOneSequences::attachTrigger(const int32_t* table, EventListener& sequence) {
    auto trigger = std::make_unique<TimeTrigger>(table);
    trigger->attach(&sequence);
    manager.add(trigger.get());
    triggers.push_back(std::move(trigger));
}

void PieceOneSequences::buildCounter(IntSequence& sequence, int32_t count) {
    sequence.addValues({0}, 0, 0);
    for (int32_t i = 0; i < count; ++i) sequence.add(1, 0, 0);
}

void PieceOneSequences::buildFlickerLevel(const FlickerDraws& draws) {
    // Draws too few for every envelope (never the piece's own) read as 0.
    FlickerDraws all = draws;
    all.resize(size_t(3 * envelopeCount), 0);
    const int32_t* next = all.data();
    attachTrigger(BeatTables::flickerLevel, flickerLevel);
    flickerLevel.addValues({0}, 0, 0);
    flickerLevel.add(0, 0, 1);
    flickerLevel.add(3, 3500, 1);
    for (int32_t i = 0; i < 55; ++i, next += 3) addEnvelope(flickerLevel, next, 3);
    const int32_t swell[7][2] = {{10, 0}, {20, 50}, {40, 70}, {80, 100}, {250, 350}, {250, 1300}, {5, 1700}};
    for (const auto& key : swell) flickerLevel.add(key[0], key[1], 1);
    for (int32_t i = 0; i < 100; ++i, next += 3) addEnvelope(flickerLevel, next, 5);
}

void PieceOneSequences::buildStreakEvents() {
    attachTrigger(BeatTables::streakEvents, streakEvents);
    buildCounter(streakEvents, 500);
}

void PieceOneSequences::buildBarEvents() {
    attachTrigger(BeatTables::barEvents, barEvents);
    buildCounter(barEvents, 500);
}

void PieceOneSequences::buildBlockEvents() {
    attachTrigger(BeatTables::blockEvents, blockEvents);
    blockEvents.addValues({0}, 0, 0);
    blockEvents.add(1, 0, 1000);
}

void PieceOneSequences::buildClipTime() {
    attachTrigger(BeatTables::clipTimeEvents, clipTime);
    clipTime.addValues({0.0f}, 0, 0);
    clipTime.add(300.0f, 0, 1000);
    clipTime.add(3000.0f, 3000, 1000);
    clipTime.add(3000.0f, 100000, 1000);
}
