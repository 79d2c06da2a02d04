// Command-line readers with the show's substring rules.
#include "shell/CommandLine.h"

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

int32_t readFrameRate(const std::string& commandLine) {
    std::string line = lowered(commandLine);
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

std::string readCodecName(const std::string& commandLine) {
    std::string line = lowered(commandLine);
    size_t at = line.find("codec=");
    if (at == std::string::npos) return "lossless";
    size_t start = at + 6;
    size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool isKnownCodec(const std::string& name) {
    return name == "lossless" || name == "mjpeg" || name == "mpeg" || name == "raw";
}

std::optional<std::string> checkFrameRate(int32_t framesPerSecond) {
    if (framesPerSecond >= 1 && framesPerSecond <= 1000) return std::nullopt;
    return "Frame rate " + std::to_string(framesPerSecond) +
           " is out of range: \"fps\" takes a whole number from 1 to 1000.";
}

std::optional<std::string> checkCodec(const std::string& name) {
    if (isKnownCodec(name)) return std::nullopt;
    return "Unknown codec \"" + name + "\": use codec=lossless, codec=mjpeg, codec=mpeg or codec=raw.";
}

std::string usage() {
    return "Usage: triptych [video] [fps N] [nomenu] [window] [codec=NAME] [help]\n"
           "  (no words)   show the start menu, then the chosen pieces, full screen\n"
           "  nomenu       skip the start menu and run all three pieces\n"
           "  window       run in a resizable window instead of full screen\n"
           "  video        render every piece to AVI files in the current directory\n"
           "  fps N        frame rate of the rendered files (1 to 1000, default 25);\n"
           "               the first number anywhere on the command line is taken\n"
           "  codec=NAME   video codec of the rendered files: lossless (FFV1, default),\n"
           "               mjpeg, mpeg (MPEG-4 Part 2) or raw (uncompressed 24-bit)\n"
           "  help         print this text\n"
           "The show reads data.data from the current directory.\n";
}

} // namespace CommandLine
