// Video files: reading decoded frames of the show's clips by time, and writing rendered frames
// with their sound. Failures of the file layer are fatal and go through `fail`.
#pragma once

class VideoFile {
public:
    using ErrorCallback = void (*)();
    // Called before a fatal video error is shown (the shell closes its display there).
    static void setErrorCallback(ErrorCallback callback);
    static ErrorCallback getErrorCallback();
};
