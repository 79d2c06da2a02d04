// The files a render of the show writes, in show order: the piece each belongs to, its chapter
// title in the delivered film, and the show time it covers.
#pragma once

struct ShowPart {
    int piece; // 0..2
    const char* fileName;
    const char* title;
    double seconds; // each part ends on the first frame at or after its end
};

inline constexpr ShowPart showParts[] = {{0, "piece_pre1.avi", "piece one: opening", 4.028},
                                         {0, "piece_1.avi", "piece one", 115.0},
                                         {0, "piece_post1.avi", "piece one: closing", 15.5},
                                         {1, "piece_2.avi", "piece two", 140.0},
                                         {2, "piece_3.avi", "piece three", 106.0}};
