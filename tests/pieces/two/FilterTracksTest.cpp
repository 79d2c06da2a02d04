// Piece two's filter tracks: the envelope's sampled curve meets its grid, range and shape, and
// the smear tracks evaluate in the order their keys were added.
#include "PieceTwoTestSupport.h"

#include "pieces/two/EnvelopeTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

using namespace PieceTwoTest;

namespace {

TEST(PieceTwoFilterTracks, EnvelopeGridRangeAndShape) {
    FilterTracks tracks;
    buildFilterTracks(tracks);
    const auto& keys = tracks.envelope.keys();
    ASSERT_EQ(keys.size(), 1190u);
    EXPECT_FALSE(tracks.envelope.isStarted());
    std::map<int32_t, int32_t> steps;
    std::set<float> values;
    for (size_t n = 0; n < keys.size(); ++n) {
        const float value = keys[n].values[0];
        const int32_t time = keys[n].time;
        values.insert(value);
        const int32_t k = int32_t(std::lround(value * 255.0 / 4.4));
        EXPECT_EQ(value, float(k * 4.4 / 255.0)) << n;
        EXPECT_TRUE(k == 0 || (k >= 5 && k <= 50)) << n;
        if (n > 0) ++steps[time - keys[n - 1].time];
        if (time < 3000) {
            EXPECT_GE(k, 26) << time; // between 0.45 and 0.86
        }
        if (time < 3250) {
            EXPECT_GE(k, 14) << time; // not below 0.23 yet
        } else if (time > 3250) {
            EXPECT_LE(k, 13) << time;
        }
        EXPECT_EQ(k == 0, time >= 3334) << time; // silent from 3334 ms to the end
    }
    EXPECT_EQ(values.size(), 47u);
    EXPECT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[3], 1052);
    EXPECT_EQ(steps[2], 137);
    for (size_t n = 0; n < 5; ++n) {
        EXPECT_EQ(keys[n].time, int32_t(n == 0 ? 0 : 3 * n - 1));
        EXPECT_FLOAT_EQ(keys[n].values[0], 0.7592157f);
    }
    EXPECT_EQ(keys.back().time, 3430);
    EXPECT_EQ(keys.back().values[0], 0.0f);
    EXPECT_FLOAT_EQ(*values.rbegin(), 0.8627451f);
}

TEST(PieceTwoFilterTracks, ValuesAtTheirKeysAndBetween) {
    FilterTracks tracks;
    buildSmearTracks(tracks);
    buildFilterTracks(tracks);
    struct Case {
        const char* name;
        const IntTrack& track;
        int32_t ms, value;
    };
    for (const Case& c :
         {Case{"jitter", tracks.jitter, 7427, 500}, Case{"jitter", tracks.jitter, 69500, 30},
          Case{"jitter", tracks.jitter, 69700, 1}, Case{"jitter", tracks.jitter, 70334, 100},
          // 75200 follows 76300: the line from (75200, 25) to (77360, 0) applies
          Case{"jitter", tracks.jitter, 76840, 6}, Case{"jitter", tracks.jitter, 80000, 0},
          Case{"noise", tracks.noise, 7426, 0}, Case{"noise", tracks.noise, 7427, 200},
          Case{"noise", tracks.noise, 68000, 0}, Case{"smear width", tracks.smearWidth, 127500, 2},
          Case{"smear width", tracks.smearWidth, 132500, 60}, Case{"fade", tracks.fadeOut, 130000, 0},
          Case{"fade", tracks.fadeOut, 140000, 255}, Case{"fade", tracks.fadeOut, 150000, 255}})
        EXPECT_EQ(c.track.valueAt(c.ms), c.value) << c.name << " at " << c.ms;
    EXPECT_EQ(tracks.jitter.keys().size(), 42u);
    EXPECT_EQ(tracks.noise.keys().size(), 8u);
}

} // namespace
