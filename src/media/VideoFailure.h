// A failure of the video file layer (a clip that cannot be read, a render file that cannot be
// written): its message, the library or system error code and the file. The shell shows it in
// the "Error!" box and ends the show with exit code 1.
#pragma once

#include "platform/FatalFailure.h"

#include <string>

class VideoFailure : public FatalFailure {
  public:
    // message: the box's fixed text ("Couldn't open avi file!"); code: a negative FFmpeg error
    // code, a positive errno value, or -1 / 666 for none; fileName: the clip or render file.
    // The box text is "message - 'system text'", or "message!" when the code has no text.
    // note, when given, follows the file name on the terminal (what became of the file).
    VideoFailure(const std::string& message, int code, const std::string& fileName, const std::string& note = "");

    const std::string& message() const { return messageText; }
    int systemCode() const { return errorCode; }
    const std::string& fileName() const { return file; }
    static std::string failureText(const std::string& message, int code);

  private:
    std::string messageText;
    int errorCode;
    std::string file;
};
