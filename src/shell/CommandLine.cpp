// Command-line readers with the show's substring rules.
#include "shell/CommandLine.h"

#include "media/masters/AviEncoder.h"
#include "shell/ShowTime.h"

#include <cctype>
#include <climits>

namespace CommandLine {

namespace {
std::string lowered(const std::string& line) {
    std::string copy = line;
    for (char& c : copy) c = char(std::tolower(static_cast<unsigned char>(c)));
    return copy;
}

bool contains(const std::string& line, const char* keyword) {
    return lowered(line).find(keyword) != std::string::npos;
}
} // namespace

std::string join(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

bool readVideoSwitch(const std::string& commandLine) { return contains(commandLine, "video"); }
bool readMenuSwitch(const std::string& commandLine) { return contains(commandLine, "nomenu"); }
bool readWindowSwitch(const std::string& commandLine) { return contains(commandLine, "window"); }
bool readHelpSwitch(const std::string& commandLine) { return contains(commandLine, "help"); }
bool readVersionSwitch(const std::string& commandLine) { return contains(commandLine, "version"); }
bool readDeliverSwitch(const std::string& commandLine) { return contains(commandLine, "deliver"); }

int32_t readFrameRate(const std::string& commandLine) {
    std::string line = lowered(withoutAddedWords(commandLine));
    if (line.find("fps") == std::string::npos) return 25;
    size_t digit = line.find_first_of("0123456789");
    if (digit == std::string::npos) return 25;
    // Read the decimal number at the first digit of the whole line; saturate instead of
    // overflowing so that absurd values reach the range check intact.
    long long value = 0;
    for (size_t i = digit; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return int32_t(value);
}

namespace {
constexpr const char* addedWords[] = {"codec=", "seed=", "pieces=", "from=", "to=", "deliver="};

// The text after keyword up to the next blank, lower-cased; nothing when keyword is absent.
std::optional<std::string> wordValue(const std::string& commandLine, const char* keyword) {
    std::string line = lowered(commandLine);
    size_t at = line.find(keyword);
    if (at == std::string::npos) return std::nullopt;
    size_t start = at + std::string(keyword).size();
    size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
} // namespace

std::string withoutAddedWords(const std::string& commandLine) {
    std::string line = commandLine;
    for (const char* keyword : addedWords) {
        size_t at;
        while ((at = lowered(line).find(keyword)) != std::string::npos) {
            size_t end = line.find(' ', at);
            line.erase(at, end == std::string::npos ? std::string::npos : end - at);
        }
    }
    return line;
}

std::string readCodecName(const std::string& commandLine) {
    return wordValue(commandLine, "codec=").value_or("lossless");
}

std::optional<std::string> readSeedWord(const std::string& commandLine) { return wordValue(commandLine, "seed="); }

std::optional<std::string> readPiecesWord(const std::string& commandLine) {
    return wordValue(commandLine, "pieces=");
}

std::optional<std::string> readFromWord(const std::string& commandLine) { return wordValue(commandLine, "from="); }
std::optional<std::string> readToWord(const std::string& commandLine) { return wordValue(commandLine, "to="); }
bool readLoopSwitch(const std::string& commandLine) { return contains(commandLine, "loop"); }

std::optional<int64_t> parseTime(const char* keyword, const std::string& word, std::string* problem) {
    if (auto us = ShowTime::parseMicroseconds(word)) return us;
    if (problem) {
        const std::string named = std::string("\"") + keyword + word + "\"";
        *problem = !word.empty() && word[0] == '-'
                       ? "Time " + named + " is negative: the show's time starts at 0."
                       : "Time " + named + " is not a show time: write seconds (140, 341.5) or minutes and seconds "
                                           "(2:20, 4:24.8).";
    }
    return std::nullopt;
}

std::optional<std::string> checkRange(int64_t fromUs, std::optional<int64_t> toUs, int64_t showEndUs) {
    const std::string from = "\"from=" + ShowTime::format(fromUs) + "\"";
    if (toUs && fromUs >= *toUs)
        return "The range " + from + " to \"to=" + ShowTime::format(*toUs) + "\" is empty: from= must come before to=.";
    if (fromUs >= showEndUs)
        return "Time " + from + " is at or past the end of the show (" + ShowTime::format(showEndUs) + ").";
    return std::nullopt;
}

std::optional<std::string> readDeliverWord(const std::string& commandLine) {
    return wordValue(commandLine, "deliver=");
}

std::optional<int32_t> parseDeliverHeight(const std::string& word, std::string* problem) {
    if (word == "1080p") return 1080;
    if (word == "4k") return 2160;
    if (problem)
        *problem = "Film size \"deliver=" + word + "\" is not deliver=1080p (the default) or deliver=4k.";
    return std::nullopt;
}

std::optional<uint32_t> parseSeed(const std::string& word, std::string* problem) {
    bool digitsOnly = !word.empty() && word.size() <= 10;
    for (char c : word) digitsOnly = digitsOnly && std::isdigit(static_cast<unsigned char>(c));
    if (digitsOnly && std::stoull(word) <= 0xFFFFFFFFull) return uint32_t(std::stoull(word));
    if (problem)
        *problem = "Seed \"seed=" + word + "\" is not a whole number from 0 to 4294967295.";
    return std::nullopt;
}

std::optional<std::array<bool, 3>> parsePieces(const std::string& word, std::string* problem) {
    std::array<bool, 3> chosen = {false, false, false};
    bool valid = !word.empty();
    bool expectDigit = true;
    for (char c : word) {
        if (expectDigit && c >= '1' && c <= '3' && !chosen[size_t(c - '1')]) {
            chosen[size_t(c - '1')] = true;
            expectDigit = false;
        } else if (!expectDigit && c == ',') {
            expectDigit = true;
        } else {
            valid = false;
        }
    }
    if (valid && !expectDigit) return chosen;
    if (problem)
        *problem = "Pieces \"pieces=" + word +
                   "\" are not a list of the pieces 1 to 3 separated by commas, such as pieces=1,3.";
    return std::nullopt;
}

std::optional<std::string> checkFrameRate(int32_t framesPerSecond) {
    if (framesPerSecond >= 1 && framesPerSecond <= 1000) return std::nullopt;
    return "Frame rate " + std::to_string(framesPerSecond) +
           " is out of range: \"fps\" takes a whole number from 1 to 1000.";
}

std::optional<std::string> checkCodec(const std::string& name) {
    if (AviEncoder::isKnownCodec(name)) return std::nullopt;
    const std::vector<std::string>& names = AviEncoder::codecNames();
    std::string choices;
    for (size_t k = 0; k < names.size(); ++k) {
        if (k > 0) choices += k + 1 == names.size() ? " or " : ", ";
        choices += "codec=" + names[k];
    }
    return "Unknown codec \"" + name + "\": use " + choices + ".";
}

std::string usage() {
    return "Usage: triptych [video] [fps N] [nomenu] [window] [codec=NAME] [seed=N] [pieces=LIST]\n"
           "                [from=TIME] [to=TIME] [loop] [deliver[=SIZE]] [help] [version]\n"
           "  (no words)   show the start menu, then the chosen pieces, full screen\n"
           "  nomenu       skip the start menu and run all three pieces\n"
           "  window       run in a resizable window instead of full screen\n"
           "  video        render every piece to AVI files in the current directory\n"
           "  fps N        frame rate of the rendered files (1 to 1000, default 25);\n"
           "               the first number anywhere on the command line is taken\n"
           "  codec=NAME   video codec of the rendered files: lossless (default, UT Video),\n"
           "               utvideo or ffv1 (lossless), mjpeg, mpeg (MPEG-4 Part 2)\n"
           "               or raw (uncompressed 24-bit)\n"
           "  seed=N       seed the show's random numbers with N instead of the clock,\n"
           "               so that a render can be made again byte for byte\n"
           "  pieces=LIST  the pieces to run or render, e.g. pieces=1,3 or pieces=2\n"
           "  from=TIME    start at this show time (seconds, or minutes:seconds such as\n"
           "               4:24.8); a render writes only the frames from there\n"
           "  to=TIME      end before this show time (the end of the show by default)\n"
           "  loop         live: play the range (or the show) again and again until Escape\n"
           "  deliver      render, and also write triptych.mp4: the rendered parts back to\n"
           "               back, H.264 1920x1080 with 48 kHz AAC sound and a chapter per part;\n"
           "               beside it triptych.chapters.txt (the chapters as M:SS lines for a\n"
           "               video site's description), triptych.thumb.jpg (a 1280x720\n"
           "               thumbnail) and triptych.sheet.png (a labelled frame every 10 s)\n"
           "  deliver=SIZE the same with the film at 4k (3840x2160) or 1080p, the default\n"
           "  help         print this text\n"
           "  version      print the program's name and version (--version works too)\n"
           "Keys while a piece plays: Space pauses and resumes, Left and Right seek 10 s back\n"
           "and forward, Escape ends the show.\n"
           "The show reads data.data from the current directory, else from beside the program,\n"
           "../share/triptych from the program's folder, $XDG_DATA_DIRS/triptych or\n"
           "/usr/share/triptych; rendered files go to the current directory.\n"
           "Exit status: 0 when the show played to its end or the viewer ended it (Escape,\n"
           "closing the window, the menu's exit) and when a render wrote every planned file;\n"
           "1 when a failure ended it (missing or damaged data, a file that cannot be written);\n"
           "2 for words it refuses; 3 when its services cannot start; 128+N when signal N ended\n"
           "it early (130 for Ctrl+C, 129 for a closed terminal, 143 for SIGTERM), live or\n"
           "rendering; 130 too when the viewer cancelled a render.\n";
}

std::string versionText() { return std::string("triptych ") + TRIPTYCH_VERSION + "\n"; }

} // namespace CommandLine
