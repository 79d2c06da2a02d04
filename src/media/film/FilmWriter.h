// The delivered film as it is written: H.264 pictures at 1920x1080 or 3840x2160, AAC-LC stereo
// sound at 48 kHz made from the masters' 44.1 kHz, and chapters, in an MP4 file whose index
// comes first.
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
    // The sound handed in, as the masters hold it, and the film's.
    static constexpr int32_t masterSoundRate = 44100;
    static constexpr int32_t soundRate = 48000;
    // FFmpeg's AAC encoder spends what the sound needs, up to what it is asked for: piece one
    // alone takes about 317 kb/s whether asked for 384, 448 or 576; with piece three beside it
    // the film's sound passes 320.
    static constexpr int64_t soundBitRate = 448000;

    // Creates the file for pictures of width x height (even sizes). Failures throw ShowFailure
    // naming the file.
    FilmWriter(const std::string& fileName, int32_t framesPerSecond, int32_t width, int32_t height);
    // Closes the file, finished or not.
    ~FilmWriter();
    FilmWriter(const FilmWriter&) = delete;
    FilmWriter& operator=(const FilmWriter&) = delete;

    // Appends a picture of the film's size in 4:2:0 YCbCr (BT.709, limited range); a key frame
    // starts a new group of pictures there. The picture can be reused once this returns.
    void writePicture(AVFrame* picture, bool keyFrame);
    // Appends interleaved stereo sample pairs at masterSoundRate, or silence; they are resampled
    // to soundRate as one continuous stream, so their timing is kept.
    void writeSound(const int16_t* samples, int64_t sampleFrames);
    void writeSilence(int64_t sampleFrames);

    int64_t getFramesWritten() const;
    int64_t getSoundWritten() const; // sample frames handed in so far, at masterSoundRate

    // Writes what the encoders still hold, one chapter per entry back to back from the start
    // (entries of no frames are left out) and the index, moved to the front of the file.
    void finish(const std::vector<FilmChapter>& chapters);

  private:
    struct State;
    std::unique_ptr<State> state;
};
