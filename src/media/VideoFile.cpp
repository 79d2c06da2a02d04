// Process-wide state of the video file layer.
#include "media/VideoFile.h"

namespace {
VideoFile::ErrorCallback errorCallback = nullptr;
}

void VideoFile::setErrorCallback(ErrorCallback callback) { errorCallback = callback; }
VideoFile::ErrorCallback VideoFile::getErrorCallback() { return errorCallback; }
