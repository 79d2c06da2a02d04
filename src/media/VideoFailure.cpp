// The box text of video failures, with FFmpeg's or the system's text for the error code.
#include "media/VideoFailure.h"

#include "media/FfmpegObjects.h"

#include <string.h>

VideoFailure::VideoFailure(const std::string& message, int code, const std::string& fileName,
                           const std::string& note)
    : FatalFailure(failureText(message, code), "Error!", 1, fileName + note), messageText(message), errorCode(code),
      file(fileName) {}

std::string VideoFailure::failureText(const std::string& message, int code) {
    // Negative codes are FFmpeg's (AVERROR), positive ones the system's errno values; -1 and
    // the show's own 666 carry no system text.
    std::string text;
    if (code < -1) {
        text = Ffmpeg::errorText(code);
    } else if (code > 0 && code != 666) {
        if (const char* description = strerrordesc_np(code)) text = description;
    }
    return text.empty() ? message + "!" : message + " - '" + text + "'";
}
