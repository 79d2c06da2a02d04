// Keys of piece two's filter tracks, added one by one in this order (some times repeat or
// go back: evaluation follows the order in which the keys were added).
#include "pieces/two/FilterTracks.h"

#include "pieces/two/EnvelopeTable.h"

#include <initializer_list>
#include <utility>

namespace {
using Key = std::pair<int32_t, int32_t>; // value, time in ms

void addKeys(IntTrack& track, std::initializer_list<Key> keys) {
    for (const Key& key : keys)
        track.addKey(key.first, key.second);
    track.start(0);
}
} // namespace

void buildSmearTracks(FilterTracks& tracks) {
    addKeys(tracks.jitter,
            {{200, 0},     {200, 6385},  {50, 7300},   {50, 7420},   {500, 7427},  {250, 20200}, {50, 21200},
             {1, 23000},   {1, 68000},   {30, 69500},  {30, 69500},  {100, 69700}, {1, 69700},   {200, 70000},
             {1, 70200},   {1, 70301},   {100, 70334}, {1, 70335},   {100, 70368}, {1, 70369},   {100, 70403},
             {1, 70403},   {100, 70436}, {1, 70437},   {100, 70470}, {1, 70471},   {100, 70504}, {1, 70505},
             {100, 70538}, {1, 70539},   {100, 70572}, {1, 70573},   {100, 70606}, {400, 70900}, {300, 71300},
             {200, 72300}, {200, 73300}, {150, 74300}, {50, 75300},  {25, 76300},  {25, 75200},  {0, 77360}});
    addKeys(
        tracks.noise,
        {{0, 0}, {0, 7426}, {200, 7427}, {350, 30427}, {220, 66000}, {150, 66400}, {0, 68000}, {0, 250000}});
}

void buildFilterTracks(FilterTracks& tracks) {
    addKeys(tracks.smearWidth, {{2, 0}, {2, 127500}, {20, 130000}, {100, 135000}});
    addKeys(tracks.fadeOut, {{0, 0}, {0, 130000}, {90, 137000}, {255, 140000}});
    for (int32_t n = 0; n < envelopeKeyCount; ++n)
        tracks.envelope.addKey(float(double(envelopeLevel(n)) * 4.4 / 255.0), envelopeKeyTime(n));
}
