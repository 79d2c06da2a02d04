// Command-line readers. Each reads the whole command line (the arguments joined by single
// blanks), lower-cased, and looks for its keyword anywhere in it, without word boundaries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace CommandLine {

std::string join(int argc, char** argv); // argv[1..] joined by single blanks

bool readVideoSwitch(const std::string& commandLine);  // "video"
int32_t readFrameRate(const std::string& commandLine); // "fps": first number of the whole line, else 25
bool readMenuSwitch(const std::string& commandLine);   // "nomenu"

bool readWindowSwitch(const std::string& commandLine); // "window"
bool readHelpSwitch(const std::string& commandLine);   // "help"
// "codec=NAME": the name up to the next blank; "lossless" when absent.
std::string readCodecName(const std::string& commandLine);

// The render codecs understood by "codec=NAME".
bool isKnownCodec(const std::string& name);

// A frame rate the writers can use (1..1000); otherwise an error text naming the value.
std::optional<std::string> checkFrameRate(int32_t framesPerSecond);
// An error text for an unknown codec name, or nothing.
std::optional<std::string> checkCodec(const std::string& name);

std::string usage();

} // namespace CommandLine
