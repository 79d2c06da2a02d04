// Parsing and printing show times.
#include "shell/ShowTime.h"

#include <cstdio>

namespace ShowTime {

namespace {
// Whole digits of text[from, to); nothing when there are none or they are too many to hold.
std::optional<int64_t> wholeNumber(const std::string& text, size_t from, size_t to) {
    if (from >= to || to - from > 12) return std::nullopt;
    int64_t value = 0;
    for (size_t k = from; k < to; ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

// "S" or "S.ddd" as microseconds.
std::optional<int64_t> seconds(const std::string& text, size_t from, size_t to) {
    const size_t point = text.find('.', from);
    const size_t wholeEnd = point < to ? point : to;
    auto whole = wholeNumber(text, from, wholeEnd);
    if (!whole) return std::nullopt;
    int64_t micro = *whole * 1000000;
    if (point < to) {
        const size_t decimals = to - point - 1;
        if (decimals == 0 || decimals > 6) return std::nullopt;
        auto fraction = wholeNumber(text, point + 1, to);
        if (!fraction) return std::nullopt;
        int64_t scaled = *fraction;
        for (size_t k = decimals; k < 6; ++k)
            scaled *= 10;
        micro += scaled;
    }
    return micro;
}
} // namespace

std::optional<int64_t> parseMicroseconds(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return seconds(text, 0, text.size());
    auto minutes = wholeNumber(text, 0, colon);
    // Seconds after a colon are two digits below 60, as a clock writes them.
    const size_t point = text.find('.', colon);
    const size_t secondsDigits = (point == std::string::npos ? text.size() : point) - colon - 1;
    auto rest = seconds(text, colon + 1, text.size());
    if (!minutes || !rest || secondsDigits != 2 || *rest >= 60 * 1000000) return std::nullopt;
    return *minutes * 60 * 1000000 + *rest;
}

std::string format(int64_t microseconds) {
    if (microseconds < 0) microseconds = 0;
    const int64_t tenths = microseconds / 100000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", (long long)(tenths / 600), (long long)(tenths / 10 % 60),
                  (long long)(tenths % 10));
    return text;
}

} // namespace ShowTime
