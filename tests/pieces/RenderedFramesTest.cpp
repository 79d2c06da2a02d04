// The frames each part's file gets, worked out from the parts' clocks alone, against what whole
// renders of the default data wrote.
#include "pieces/one/PieceOne.h"
#include "pieces/three/PieceThree.h"
#include "pieces/two/PieceTwo.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(RenderedFrames, EachPartsFramesAreThoseAWholeRenderWrites) {
    PieceOne one;
    PieceTwo two;
    PieceThree three;
    // A whole render at 10 frames per second wrote 42, 1151 and 157 frames for piece one's
    // parts, 1403 for piece two and 1061 for piece three.
    EXPECT_EQ(one.renderedFrames(10), (std::vector<int64_t>{42, 1151, 157}));
    EXPECT_EQ(two.renderedFrames(10), (std::vector<int64_t>{1403}));
    EXPECT_EQ(three.renderedFrames(10), (std::vector<int64_t>{1061}));
    // At 25 frames per second piece two starts at frame 3367 of the film.
    const std::vector<int64_t> pieceOne = one.renderedFrames(25);
    EXPECT_EQ(std::accumulate(pieceOne.begin(), pieceOne.end(), int64_t(0)), 3367);
    // At 1 frame per second every part still gets its frame at 0 twice.
    EXPECT_EQ(one.renderedFrames(1)[0], 6);
}
