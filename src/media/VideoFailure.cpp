// The box text of video failures, with FFmpeg's or the system's text for the error code.
#include "media/VideoFailure.h"

extern "C" {
#include <libavutil/error.h>
}

#include <cstdio>
#include <string.h>

VideoFailure::VideoFailure(const std::string& message, int code, const std::string& fileName)
    : FatalFailure(failureText(message, code), "Error!", 1, fileName), messageText(message), errorCode(code) {
}

std::string VideoFailure::failureText(const std::string& message, int code) {
    // Negative codes are FFmpeg's (AVERROR), positive ones the system's errno values; -1 and
    // the show's own 666 carry no system text.
    char text[AV_ERROR_MAX_STRING_SIZE + 64] = {};
    bool haveText = false;
    if (code < -1) {
        haveText = av_strerror(code, text, sizeof text) == 0;
    } else if (code > 0 && code != 666) {
        if (const char* description = strerrordesc_np(code)) {
            std::snprintf(text, sizeof text, "%s", description);
            haveText = true;
        }
    }
    return haveText ? message + " - '" + text + "'" : message + "!";
}
