// Piece one's main-part music: an Extended Module of 36 bars of 16 rows of 200 ms (14 ticks
// of 630 samples at 44.1 kHz per row), whose drum hits fall on piece one's beat tables so that
// every streak, bar, block and flicker on screen lands on a hit.
#pragma once

#include "music/XmModule.h"

#include <cstdint>
#include <vector>

namespace Music::PieceOneModule {

// Players count a tick in whole samples, so the tick must be a whole number of samples at
// 44.1 kHz or the music drifts from the show's clock; and a note delay reaches ticks 0 to 15,
// so every tick of a row stays reachable.
constexpr int kTicksPerRow = 14;
constexpr int kBpm = 175; // a tick lasts 2.5 / 175 s = 630 samples
constexpr double kTickMs = 200.0 / kTicksPerRow;
constexpr int kRowsPerBar = 16;
constexpr int kBars = 36;
constexpr int kChannels = 16;

// The module with its samples scaled by `gain` (1 = full scale).
Xm::Module compose(float gain);
// The module's bytes, levelled by playing it through libopenmpt so its loudness and peaks sit
// where the streams' do.
std::vector<uint8_t> composeLevelled();

} // namespace Music::PieceOneModule
