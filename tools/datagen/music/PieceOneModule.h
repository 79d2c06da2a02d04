// Piece one's main-part music: an Extended Module of 36 bars of 16 rows of 200 ms (16 ticks
// of 12.5 ms per row), whose drum hits fall on piece one's beat tables so that every streak, bar,
// block and flicker on screen lands on a hit.
#pragma once

#include "music/XmModule.h"

#include <cstdint>
#include <vector>

namespace Music::PieceOneModule {

constexpr int kTicksPerRow = 16;
constexpr double kTickMs = 12.5;
constexpr int kRowsPerBar = 16;
constexpr int kBars = 36;
constexpr int kChannels = 16;

// The module with its samples scaled by `gain` (1 = full scale).
Xm::Module compose(float gain);
// The module's bytes, levelled by playing it through libopenmpt so its loudness and peaks sit
// where the streams' do.
std::vector<uint8_t> composeLevelled();

} // namespace Music::PieceOneModule
