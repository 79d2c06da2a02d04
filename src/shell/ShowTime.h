// Times on the show's film, as the command line writes them ("140", "341.5", "2:20", "4:24.8")
// and as the show prints them ("4:24.8"), held in microseconds so that frame boundaries compare
// exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ShowTime {

// Seconds, or minutes and seconds, with up to six decimals; nothing for any other text (a
// negative time included).
std::optional<int64_t> parseMicroseconds(const std::string& text);
// "M:SS.s", the tenths truncated.
std::string format(int64_t microseconds);

} // namespace ShowTime
