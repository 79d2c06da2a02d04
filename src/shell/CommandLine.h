// Command-line readers. Each reads the whole command line (the arguments joined by single
// blanks), lower-cased, and looks for its keyword anywhere in it, without word boundaries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace CommandLine {

std::string join(int argc, char** argv); // argv[1..] joined by single blanks

bool readVideoSwitch(const std::string& commandLine);  // "video"
// "fps": the first number of the line without the added words, else 25.
int32_t readFrameRate(const std::string& commandLine);
bool readMenuSwitch(const std::string& commandLine);   // "nomenu"

bool readWindowSwitch(const std::string& commandLine); // "window"
bool readHelpSwitch(const std::string& commandLine);   // "help"
bool readVersionSwitch(const std::string& commandLine); // "version", so "--version" too
// "deliver": also write the MP4 film of the render (it implies "video").
bool readDeliverSwitch(const std::string& commandLine);
// "deliver=SIZE": the text after "deliver=" up to the next blank; nothing when the word is absent.
std::optional<std::string> readDeliverWord(const std::string& commandLine);
// The film height a "deliver=SIZE" word chooses (1080p: 1080, 4k: 2160), or an error text naming
// the word.
std::optional<int32_t> parseDeliverHeight(const std::string& word, std::string* problem);
// "codec=NAME": the name up to the next blank; "lossless" when absent.
std::string readCodecName(const std::string& commandLine);

// The line without the words that carry a value ("codec=...", "seed=...", "pieces=...",
// "deliver=...", each up to the next blank), so that a digit in them is never read as the frame rate.
std::string withoutAddedWords(const std::string& commandLine);
// "seed=N": the text after "seed=" up to the next blank; nothing when the word is absent.
std::optional<std::string> readSeedWord(const std::string& commandLine);
// The seed of a "seed=N" word (N a whole number from 0 to 4294967295), or an error text naming
// the word.
std::optional<uint32_t> parseSeed(const std::string& word, std::string* problem);
// "pieces=LIST": the text after "pieces=" up to the next blank; nothing when the word is absent.
std::optional<std::string> readPiecesWord(const std::string& commandLine);
// The pieces a "pieces=LIST" word chooses (digits 1 to 3 separated by commas, each once at
// most), or an error text naming the word.
std::optional<std::array<bool, 3>> parsePieces(const std::string& word, std::string* problem);

// "from=TIME", "to=TIME": the text after the keyword up to the next blank; nothing when absent.
std::optional<std::string> readFromWord(const std::string& commandLine);
std::optional<std::string> readToWord(const std::string& commandLine);
bool readLoopSwitch(const std::string& commandLine); // "loop"
// The show time of a from= or to= word, or an error text naming the word (keyword: "from=").
std::optional<int64_t> parseTime(const char* keyword, const std::string& word, std::string* problem);
// An error text for a range that is empty or starts at or past the show's end, or nothing.
std::optional<std::string> checkRange(int64_t fromUs, std::optional<int64_t> toUs, int64_t showEndUs);

// A frame rate the writers can use (1..1000); otherwise an error text naming the value.
std::optional<std::string> checkFrameRate(int32_t framesPerSecond);
// An error text for a codec name the render encoder does not know, listing the ones it knows,
// or nothing.
std::optional<std::string> checkCodec(const std::string& name);

std::string usage();
// "triptych VERSION" and a line break, the version being the build's.
std::string versionText();

} // namespace CommandLine
