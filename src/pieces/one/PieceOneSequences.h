// Piece one's event sequences and the time triggers that drive them from the beat tables:
// event counters for the streaks, bars and blocks, the jitter envelope `flickerLevel` and the
// clip's play position `clipTime`.
#pragma once

#include "animation/FloatSequence.h"
#include "animation/IntSequence.h"
#include "animation/TimeTrigger.h"

#include <cstdint>
#include <memory>
#include <vector>

class SceneManager;

// The random numbers of the jitter envelope's 155 short envelopes, three each, drawn once when
// the piece loads so that every run of the piece has the same envelope.
using FlickerDraws = std::vector<int32_t>;
FlickerDraws drawFlickerEnvelopes(); // 3 x 155 numbers from the show's generator

class PieceOneSequences {
public:
    explicit PieceOneSequences(SceneManager& manager) : manager(manager) {}
    // Takes its triggers off the scene manager.
    ~PieceOneSequences();
    PieceOneSequences(const PieceOneSequences&) = delete;
    PieceOneSequences& operator=(const PieceOneSequences&) = delete;

    // The jitter envelope: a slow rise to 3, 55 short random envelopes, one big swell and 100
    // more envelopes, each segment played twice (its pair of events).
    void buildFlickerLevel(const FlickerDraws& draws);
    void buildStreakEvents();
    void buildBarEvents();
    void buildBlockEvents();
    // The clip runs 300 to 3000 ms over 3 s after each restart and holds at 3000.
    void buildClipTime();

    IntSequence streakEvents;
    IntSequence barEvents;
    IntSequence blockEvents;
    IntSequence flickerLevel;
    FloatSequence clipTime;

private:
    // A trigger for the table, attached to the sequence and registered with the manager.
    void attachTrigger(const int32_t* table, EventListener& sequence);
    // The constant 0 followed by `count` segments of the constant 1: an event counter.
    static void buildCounter(IntSequence& sequence, int32_t count);

    SceneManager& manager;
    std::vector<std::unique_ptr<TimeTrigger>> triggers;
};
