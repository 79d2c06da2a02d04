// The masters read back on a thread of their own: each picture is enlarged into a film picture
// (4:2:0 at the film's size, the picture centred between black sides) while the film encodes the
// last ones, and handed over with the sound that came before it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AVFrame;
struct PlanarPicture;

class FilmSource {
  public:
    struct Item {
        // A picture; or, without one, the end of a master's pictures.
        AVFrame* picture = nullptr;
        // Interleaved stereo sample pairs read before the picture (or before the end).
        std::vector<int16_t> sound;
    };

    // Shown every master picture on the reading thread, in film order: the picture, the index
    // of its file and its frame number in the film.
    using Observer = std::function<void(const PlanarPicture& picture, size_t file, int64_t frame)>;

    // Starts reading fileNames one after the other into pictures of filmWidth x filmHeight;
    // every master must be sourceWidth x sourceHeight, which must fit the film's height.
    FilmSource(std::vector<std::string> fileNames, int32_t sourceWidth, int32_t sourceHeight,
               int32_t filmWidth, int32_t filmHeight, Observer observer = {});
    // Stops reading and frees every picture.
    ~FilmSource();
    FilmSource(const FilmSource&) = delete;
    FilmSource& operator=(const FilmSource&) = delete;

    // The next item in order; waits for it. Rethrows a failure of the reading thread.
    Item next();
    // Gives a picture back once it has been encoded, for the next one to be drawn in.
    void recycle(AVFrame* picture);

  private:
    void run();
    AVFrame* takeFreePicture();
    void push(Item&& item);

    static constexpr size_t pictureCount = 4;

    std::vector<std::string> fileNames;
    int32_t sourceWidth, sourceHeight, filmWidth, filmHeight;
    Observer observer;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Item> ready;
    std::vector<AVFrame*> spare;
    size_t allocated = 0;
    std::vector<AVFrame*> all;
    std::exception_ptr failure;
    bool stopping = false;
    std::thread reader;
};
