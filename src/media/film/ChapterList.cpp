// Short chapters merged into their neighbours, and the lines written out.
#include "media/film/ChapterList.h"

#include <cstdio>

namespace ChapterList {

std::vector<Line> make(const std::vector<FilmChapter>& chapters, int32_t framesPerSecond) {
    std::vector<const FilmChapter*> real;
    for (const FilmChapter& chapter : chapters)
        if (chapter.frames > 0) real.push_back(&chapter);
    const int64_t shortest = int64_t(shortestSeconds) * framesPerSecond;
    std::vector<Line> lines;
    int64_t end = 0, pendingStart = -1; // the start of short chapters waiting to join the next
    for (size_t k = 0; k < real.size(); ++k) {
        const int64_t start = pendingStart >= 0 ? pendingStart : end;
        end += real[k]->frames;
        const bool last = k + 1 == real.size();
        if (end - start < shortest && !last) {
            pendingStart = start;
            continue;
        }
        pendingStart = -1;
        // A short last chapter only lengthens the line before it.
        if (end - start >= shortest || lines.empty()) lines.push_back(Line{start / framesPerSecond, real[k]->title});
    }
    return lines;
}

bool isUsable(const std::vector<Line>& lines) { return lines.size() >= fewestLines; }

std::string clock(int64_t second) {
    char time[32];
    std::snprintf(time, sizeof time, "%lld:%02lld", static_cast<long long>(second / 60),
                  static_cast<long long>(second % 60));
    return time;
}

std::string text(const std::vector<Line>& lines) {
    std::string result;
    for (const Line& line : lines)
        result += clock(line.second) + " " + line.title + "\n";
    return result;
}

} // namespace ChapterList
