// Errors of the show: the value-type error records that resource code throws, and
// ExceptionSpace::Exception, the error that carries the source position where it was raised.
// Both are ShowFailures; the shell's handlers show their boxes.
#pragma once

#include "platform/ShowFailure.h"

#include <string>

// A fixed error message (a format text that may hold one "%s") plus a detail text, usually a
// file name. Raisers copy one of the process-wide records, fill in the detail and throw the
// copy; its cause is the message with the detail in place.
struct ExceptionType : ShowFailure {
    char text[1024];
    char detail[1024];

    explicit ExceptionType(const char* message);
    void setDetail(const char* detailText);
    // The message with the detail put in place of "%s" (for stderr and tools).
    std::string describe() const;
};

// The records the show raises.
namespace Errors {
extern ExceptionType fileNotFound;
extern ExceptionType couldntOpenFile;
extern ExceptionType couldntReadFile;
extern ExceptionType tooManyFiles;
extern ExceptionType outOfMemory;
extern ExceptionType couldntInitImageReader;
extern ExceptionType couldntReadMetadata;

// Copies the record, sets the detail on the copy (when given) and throws it by value.
[[noreturn]] void raise(const ExceptionType& record, const char* detail = nullptr);
} // namespace Errors

namespace ExceptionSpace {

// Thrown by value; the shell shows boxText in the "Error!" box.
class Exception : public ShowFailure {
public:
    Exception(const std::string& message, const char* file, int line);
    // "Error - <message>", a blank line, and where the error was raised; each part at most
    // 1023 characters.
    std::string boxText() const;

    std::string message;
    std::string file;
    int line;
};

// Messages built before the entry runs.
extern const std::string invalidPlatformMessage;
extern const std::string timerNotStartedMessage;

} // namespace ExceptionSpace
