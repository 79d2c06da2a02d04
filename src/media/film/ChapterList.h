// The chapter list of a film for a video site's description: the site reads chapters only from
// "M:SS title" lines there, and takes them only when the first is 0:00, there are at least three
// and each lasts at least ten seconds.
#pragma once

#include "media/film/FilmWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ChapterList {

inline constexpr int32_t shortestSeconds = 10;
inline constexpr size_t fewestLines = 3;

struct Line {
    int64_t second; // the chapter's start in the film, rounded down to the second
    std::string title;
};

// The film's chapters (back to back from its start, at framesPerSecond; empty ones are not in
// the film) as lines: a chapter shorter than shortestSeconds joins the one after it under that
// one's title, the last one joins the one before. Each line starts where a film chapter starts.
std::vector<Line> make(const std::vector<FilmChapter>& chapters, int32_t framesPerSecond);

// Whether a site takes the lines as chapters: at least fewestLines of them.
bool isUsable(const std::vector<Line>& lines);

// A time in whole seconds as M:SS (minutes unbounded).
std::string clock(int64_t second);

// One "M:SS title" line per entry, each ended by a line break.
std::string text(const std::vector<Line>& lines);

} // namespace ChapterList
