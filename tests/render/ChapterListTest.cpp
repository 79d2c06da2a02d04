// The chapter list for a video site's description, from the film's chapters: the whole show and
// pieces=2 at the parts' real lengths (pieces=1,3 and pieces=1: the delivery tests), and the
// joining rules at their edges.
#include "media/film/ChapterList.h"
#include "pieces/common/ShowParts.h"

#include <gtest/gtest.h>

namespace {

// The chosen pieces' chapters at 25 frames per second, with their parts' frame counts.
std::vector<FilmChapter> showChapters(std::initializer_list<int> pieces) {
    const int64_t frames[showPartCount] = {101, 2875, 388, 3500, 2650};
    std::vector<FilmChapter> chapters;
    for (int k = 0; k < showPartCount; ++k)
        for (int piece : pieces)
            if (showParts[k].piece == piece) chapters.push_back({showParts[k].title, frames[k]});
    return chapters;
}

} // namespace

TEST(ChapterList, ShowsPiecesBecomeListsOnlyWithThreeChaptersLeft) {
    // The 4-second opening joins piece one and takes its title; starts are rounded down.
    const struct {
        std::initializer_list<int> pieces;
        bool usable;
        const char* text;
    } cases[] = {{{0, 1, 2}, true, "0:00 piece one\n1:59 piece one: closing\n2:14 piece two\n4:34 piece three\n"},
                 {{1}, false, "0:00 piece two\n"}};
    for (const auto& each : cases) {
        const auto lines = ChapterList::make(showChapters(each.pieces), 25);
        EXPECT_EQ(ChapterList::isUsable(lines), each.usable) << each.text;
        EXPECT_EQ(ChapterList::text(lines), each.text);
    }
}

TEST(ChapterList, ShortChaptersJoinTheNextOrTheLastJoinsTheOneBefore) {
    // At 10 frames per second: 3.1 s + 4 s + 12 s join as "c"; exactly 10 s stands alone; an
    // empty chapter is not in the film; 9.9 s joins "f", and the short last one lengthens "f".
    const std::vector<FilmChapter> chapters = {{"a", 31}, {"b", 40}, {"c", 120}, {"empty", 0},
                                               {"d", 100}, {"e", 99}, {"f", 95}, {"g", 5}};
    const auto lines = ChapterList::make(chapters, 10);
    EXPECT_EQ(ChapterList::text(lines), "0:00 c\n0:19 d\n0:29 f\n");

    // Only short chapters: one line under the last one's title.
    EXPECT_EQ(ChapterList::text(ChapterList::make({{"a", 20}, {"b", 30}}, 10)), "0:00 b\n");
    EXPECT_TRUE(ChapterList::make({}, 25).empty());
    EXPECT_EQ(ChapterList::clock(725), "12:05");
}
