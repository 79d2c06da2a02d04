// Error records and the positioned exception with its "Error!" box text.
#include "platform/Errors.h"

#include <cstdio>
#include <cstring>

ExceptionType::ExceptionType(const char* message) : ShowFailure(0, "") {
    // At most 1024 characters; a message that long ends at the field boundary.
    std::memset(text, 0, sizeof text);
    std::memcpy(text, message, strnlen(message, sizeof text));
    detail[0] = 0;
    setCause(describe());
}

void ExceptionType::setDetail(const char* detailText) {
    std::snprintf(detail, sizeof detail, "%s", detailText ? detailText : "");
    setCause(describe());
}

std::string ExceptionType::describe() const {
    std::string message(text, strnlen(text, sizeof text));
    auto at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, std::string(detail, strnlen(detail, sizeof detail)));
    return message;
}

namespace Errors {
ExceptionType fileNotFound("Error - file %s not found! Aborting...");
ExceptionType couldntOpenFile("Error - couldn't open file %s! Aborting...");
ExceptionType couldntReadFile("Error - couldn't read file %s! Aborting...");
ExceptionType tooManyFiles("Error - too many files in FileServer! Aborting...");
ExceptionType outOfMemory("Error - out of memory! Aborting...");
ExceptionType couldntInitImageReader("Error - couldn't initialize image-reader! Aborting...");
ExceptionType couldntReadMetadata("Error - couldn't read metadata! Aborting...");

void raise(const ExceptionType& record, const char* detail) {
    ExceptionType copy = record;
    if (detail) copy.setDetail(detail);
    throw copy;
}
} // namespace Errors

namespace ExceptionSpace {

const std::string invalidPlatformMessage = "Invalid platform!";
const std::string timerNotStartedMessage = "An attempt was made to use the timer before it was started!";

Exception::Exception(const std::string& message_, const char* file_, int line_)
    : ShowFailure(0, message_), message(message_), file(file_ ? file_ : ""), line(line_) {}

std::string Exception::boxText() const {
    // The position text and the whole box text each keep at most 1023 characters.
    auto cut = [](std::string text) { return text.size() > 1023 ? text.substr(0, 1023) : text; };
    std::string position;
    if (line == -1 || file.empty())
        position = "The error occured in an unknown position in the code.\n"
                   "(This means it was probably thrown by the system itself.)";
    else
        position = "The error occured in the file '" + file + "' at line " + std::to_string(line) + ".";
    return cut("Error - " + message + "\n\n" + cut(position));
}

} // namespace ExceptionSpace
