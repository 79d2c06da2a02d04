// libmpg123 reading straight from the caller's memory block through a replaced reader, with
// its output fixed at 44100 Hz 16-bit stereo (resampled by mpg123 where the stream differs).
#include "media/sound/Mpg123Stream.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sys/types.h>

namespace {

struct MemoryBlock {
    const uint8_t* data;
    int64_t size;
    int64_t position = 0;
};

ssize_t readMemory(void* handle, void* buffer, size_t bytes) {
    auto* block = static_cast<MemoryBlock*>(handle);
    int64_t left = block->size - block->position;
    size_t count = size_t(std::min<int64_t>(left, int64_t(bytes)));
    std::memcpy(buffer, block->data + block->position, count);
    block->position += int64_t(count);
    return ssize_t(count);
}

off_t seekMemory(void* handle, off_t offset, int whence) {
    auto* block = static_cast<MemoryBlock*>(handle);
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? block->position : block->size;
    int64_t target = base + int64_t(offset);
    if (target < 0 || target > block->size) return -1;
    block->position = target;
    return off_t(target);
}

class Mpg123Stream : public AudioSource {
public:
    Mpg123Stream(const void* data, int64_t size) : block{static_cast<const uint8_t*>(data), size} {}
    ~Mpg123Stream() override {
        if (handle) {
            mpg123_close(handle);
            mpg123_delete(handle);
        }
    }

    // Opens the stream for 16-bit stereo output and tells its rate: the stream's own rate, or
    // 44100 Hz resampled by mpg123 with forceRate.
    bool open(bool forceRate, long* rate) {
        int error = MPG123_OK;
        handle = mpg123_new(nullptr, &error);
        if (!handle) return failWith(mpg123_plain_strerror(error));
        // Added to the defaults, not replacing them: the defaults keep gapless decoding, without
        // which every stream would start with the encoder's delay (about 25 ms) of silence.
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0.0);
        if (forceRate) mpg123_param(handle, MPG123_FORCE_RATE, 44100, 0.0);
        mpg123_format_none(handle);
        if (forceRate) {
            mpg123_format(handle, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
        } else {
            const long* rates = nullptr;
            size_t rateCount = 0;
            mpg123_rates(&rates, &rateCount);
            for (size_t i = 0; i < rateCount; ++i)
                mpg123_format(handle, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
        }
        if (mpg123_replace_reader_handle(handle, readMemory, seekMemory, nullptr) != MPG123_OK ||
            mpg123_open_handle(handle, &block) != MPG123_OK)
            return failWith(mpg123_strerror(handle));
        int channels = 0, encoding = 0;
        if (mpg123_getformat(handle, rate, &channels, &encoding) != MPG123_OK)
            return failWith(std::string("not an MPEG audio stream (") + mpg123_strerror(handle) + ")");
        if (channels != 2 || encoding != MPG123_ENC_SIGNED_16) return failWith("no 16-bit stereo output");
        return true;
    }

    // Whether a first frame decodes: garbage that merely looks like a header does not.
    bool decodesSomething() {
        int16_t probe[2 * 1152];
        size_t done = 0;
        int result = mpg123_read(handle, probe, sizeof probe, &done);
        if (done == 0 || (result != MPG123_OK && result != MPG123_DONE && result != MPG123_NEW_FORMAT))
            return failWith(
                std::string("not an MPEG audio stream (no frame decodes: ") +
                (result == MPG123_OK || result == MPG123_DONE ? "no audio data" : mpg123_strerror(handle)) +
                ")");
        return rewind() || failWith("the stream cannot be rewound");
    }

    // Why open or decodesSomething failed.
    const std::string& failure() const { return failureText; }

    int32_t read(int16_t* out, int32_t frames) override {
        size_t wanted = size_t(frames) * 4;
        size_t total = 0;
        auto* bytes = reinterpret_cast<unsigned char*>(out);
        while (total < wanted && !finished) {
            size_t done = 0;
            int result = mpg123_read(handle, bytes + total, wanted - total, &done);
            total += done;
            if (result == MPG123_DONE || (result != MPG123_OK && result != MPG123_NEW_FORMAT && done == 0))
                finished = true;
        }
        return int32_t(total / 4);
    }

    bool rewind() override {
        finished = false;
        return mpg123_seek(handle, 0, SEEK_SET) >= 0;
    }

    // libmpg123 seeks to the sample (it decodes from a little before it).
    bool seek(int64_t frame) override {
        finished = false;
        return mpg123_seek(handle, off_t(frame), SEEK_SET) >= 0;
    }

  private:
    bool failWith(const std::string& text) {
        failureText = text;
        return false;
    }

    MemoryBlock block;
    mpg123_handle* handle = nullptr;
    bool finished = false;
    std::string failureText;
};

void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

} // namespace

std::unique_ptr<AudioSource> openMpegStream(const void* data, int64_t size, std::string* reason) {
    std::string ignored;
    std::string& why = reason ? *reason : ignored;
    if (!data || size <= 0) {
        why = "no data";
        return nullptr;
    }
    initialiseLibrary();
    // Streams at 44100 Hz decode as they are; any other rate is resampled by mpg123.
    long rate = 0;
    auto stream = std::make_unique<Mpg123Stream>(data, size);
    bool opened = stream->open(false, &rate);
    if (opened && rate != 44100) {
        stream = std::make_unique<Mpg123Stream>(data, size);
        opened = stream->open(true, &rate);
        if (opened && rate != 44100) {
            why = "the stream's rate cannot be resampled to 44100 Hz";
            return nullptr;
        }
    }
    if (!opened || !stream->decodesSomething()) {
        why = stream->failure();
        return nullptr;
    }
    return stream;
}
