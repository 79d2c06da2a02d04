// The parts of the show in show order, one rendered file each: the piece it belongs to, its
// file, its chapter title in the delivered film and its length on the piece's own clock. The
// pieces name their files and end their parts from here; the shell plans renders and films
// from it.
#pragma once

#include <cstdint>

struct ShowPart {
    int piece; // 0..2
    const char* fileName;
    const char* title;
    int32_t lengthMs; // the part ends on the first frame at or after this

    double seconds() const { return lengthMs / 1000.0; }
};

enum ShowPartIndex : int { openingPart, mainPart, closingPart, pieceTwoPart, pieceThreePart, showPartCount };

inline constexpr ShowPart showParts[showPartCount] = {{0, "piece_pre1.avi", "piece one: opening", 4028},
                                                      {0, "piece_1.avi", "piece one", 115000},
                                                      {0, "piece_post1.avi", "piece one: closing", 15500},
                                                      {1, "piece_2.avi", "piece two", 140000},
                                                      {2, "piece_3.avi", "piece three", 106000}};
