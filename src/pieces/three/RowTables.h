// Which lines of the clip layer piece three copies to which lines of the screen: the 25 row
// tables, the 24 cues that step from one table to the next, and the cue state.
#pragma once

#include <cstdint>
#include <vector>

struct RowPair {
    int32_t layerRow;  // line of the 640x240 clip layer
    int32_t screenRow; // line of the 640x480 screen
};
using RowTable = std::vector<RowPair>;

// The 25 tables in the order the cues select them; pairs are applied in order, so a later pair
// for the same screen line wins.
std::vector<RowTable> buildRowTables();

struct ScanlineCue {
    int32_t timeMs;     // show clock; -1 ends the table
    int32_t positionMs; // clip position the cue resets to, -1 for none
};
// The 24 cues followed by the terminator.
extern const ScanlineCue scanlineCues[25];

// Table 0 until the first cue; cue k selects table k + 1.
class CueState {
  public:
    explicit CueState(const ScanlineCue* cues) : cues(cues) {}
    // Takes the next cue once nowMs has reached its time, at most one per call (a frame that
    // passes several cue times leaves the rest to the following frames). A cue with a position
    // sets clipPosition to it. True when a cue was taken.
    bool take(int32_t nowMs, float& clipPosition);
    int32_t currentTable() const { return currentRowTable; }
    int32_t cuesTaken() const { return cueIndex; }

  private:
    const ScanlineCue* cues;
    int32_t cueIndex = 0;
    int32_t currentRowTable = 0;
    int32_t nextRowTable = 1;
};
