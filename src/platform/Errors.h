// Errors of the show: the sixteen value-type error records that resource code throws by value,
// and ExceptionSpace::Exception, the pointer-thrown error that carries its source position.
#pragma once

#include "platform/ShowFailure.h"

#include <string>

// A fixed error message (a format text that may hold one "%s") plus an optional detail text,
// usually a file name. Raisers copy one of the process-wide records and throw the copy; its
// cause is the message with the detail in place.
struct ExceptionType : ShowFailure {
    char text[1024];
    char detail[1024];

    explicit ExceptionType(const char* message);
    void setDetail(const char* detailText);
    // The message with the detail put in place of "%s" (for stderr and tools).
    std::string describe() const;
};

// The sixteen records, in their fixed order.
namespace Errors {
extern ExceptionType fileNotFound;        // 1
extern ExceptionType couldntOpenFile;     // 2
extern ExceptionType couldntReadFile;     // 3
extern ExceptionType tooManyFiles;        // 4
extern ExceptionType invalidData;         // 5
extern ExceptionType outOfMemory;         // 6
extern ExceptionType modeNotSupported;    // 7
extern ExceptionType stackOverflow;       // 8
extern ExceptionType couldntCreateWindow; // 9
extern ExceptionType couldntFetchDc;      // 10
extern ExceptionType couldntSetPixelFormat; // 11
extern ExceptionType couldntCreateRc;     // 12
extern ExceptionType couldntInitImageReader; // 13
extern ExceptionType undefinedException;  // 14
extern ExceptionType couldntInitTimer;    // 15
extern ExceptionType couldntReadMetadata; // 16

// Copies the record, sets the detail on the copy (when given) and throws it by value.
[[noreturn]] void raise(const ExceptionType& record, const char* detail = nullptr);
} // namespace Errors

namespace ExceptionSpace {

// Thrown as a pointer (`throw new ExceptionSpace::Exception(...)`); nobody deletes it.
class Exception {
public:
    Exception(const std::string& message, const char* file, int line);
    virtual ~Exception() = default;
    // Shows the "Error!" box with the message and where the error was raised.
    virtual void report();
    // The box text that report shows.
    std::string boxText() const;

    std::string message;
    std::string file;
    int line;
};

// Messages built before the entry runs.
extern const std::string invalidPlatformMessage;
extern const std::string timerNotStartedMessage;

} // namespace ExceptionSpace
