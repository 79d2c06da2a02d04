// The delivered film as it is written: H.264 pictures at 1920x1080, AAC stereo sound and
// chapters, in an MP4 file whose index comes first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVFrame;

struct FilmChapter {
    std::string title;
    int64_t frames = 0;
};

class FilmWriter {
  public:
    static constexpr int32_t width = 1920;
    static constexpr int32_t height = 1080;
    static constexpr int32_t soundRate = 44100;

    // Creates the file. Failures throw ShowFailure naming the file.
    FilmWriter(const std::string& fileName, int32_t framesPerSecond);
    // Closes the file, finished or not.
    ~FilmWriter();
    FilmWriter(const FilmWriter&) = delete;
    FilmWriter& operator=(const FilmWriter&) = delete;

    // Appends a picture of width x height in 4:2:0 YCbCr (BT.709, limited range); a key frame
    // starts a new group of pictures there. The picture can be reused once this returns.
    void writePicture(AVFrame* picture, bool keyFrame);
    // Appends interleaved stereo sample pairs, or silence.
    void writeSound(const int16_t* samples, int64_t sampleFrames);
    void writeSilence(int64_t sampleFrames);

    int64_t getFramesWritten() const;
    int64_t getSoundWritten() const; // sample frames handed in so far

    // Writes what the encoders still hold, one chapter per entry back to back from the start
    // (entries of no frames are left out) and the index, moved to the front of the file.
    void finish(const std::vector<FilmChapter>& chapters);

  private:
    struct State;
    std::unique_ptr<State> state;
};
