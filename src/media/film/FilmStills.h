// Pictures of the film to go with its upload, taken from the masters' pictures as the film is
// made: a thumbnail, the film's picture with the highest colour variance (the variances of its
// Y, Cb and Cr levels added up) among those at each whole second, the earliest of equals; and a
// contact sheet of the pictures every ten seconds of the film in a grid, each labelled below with
// its time and its part.
#pragma once

#include "media/film/PlanarPicture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FilmStills {
  public:
    static constexpr int32_t thumbnailWidth = 1280;
    static constexpr int32_t thumbnailHeight = 720;
    static constexpr int64_t thumbnailMostBytes = 2'000'000;
    static constexpr int32_t sheetSeconds = 10;
    static constexpr int32_t sheetColumns = 6;
    static constexpr int64_t sheetMostBytes = 3'000'000;
    // The sheet: tiles (half the masters' size, or smaller while the file would be too large)
    // sheetGap pixels apart on black, each with a strip of labelHeight below it whose text
    // starts labelMargin in from its left and top, white in the bitmap font.
    static constexpr int32_t sheetGap = 4;
    static constexpr int32_t labelMargin = 2;
    static constexpr int32_t labelHeight = 12;
    static constexpr uint32_t labelColour = 0xFFFFFF;

    // partTitles: the titles of the parts in film order.
    FilmStills(int32_t framesPerSecond, std::vector<std::string> partTitles);
    ~FilmStills();
    FilmStills(const FilmStills&) = delete;
    FilmStills& operator=(const FilmStills&) = delete;

    // Sees every master picture in film order: its part and its frame in the film.
    void offer(const PlanarPicture& picture, size_t part, int64_t frame);

    // The film frame the thumbnail shows; -1 before any picture.
    int64_t getThumbnailFrame() const;
    // The label of the sheet's picture at a second of the film in a part: "M:SS title".
    std::string sheetLabel(int64_t second, size_t part) const;

    // Write the JPEG thumbnail (the film's picture, scaled) and the PNG sheet. Each is written
    // whole or not at all; failures throw ShowFailure naming the file. Nothing is written
    // before any picture.
    void writeThumbnail(const std::string& fileName) const;
    void writeSheet(const std::string& fileName) const;

  private:
    struct State;
    std::unique_ptr<State> state;
};
