// Encodes and writes an AviEncoder's frames and sound on a thread of its own, so the next frame
// is drawn while the last one is compressed. Work is done strictly in the order it was given, so
// the file is the same as if it had been written directly.
#pragma once

#include "media/masters/AviEncoder.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class EncoderThread {
public:
    // Jobs (frames and blocks of sound) that may wait for the thread at once.
    static constexpr size_t maxQueuedJobs = 6;

    // frameBytes: size of one frame handed to writeVideoFrame; blockAlign: bytes per sample frame.
    EncoderThread(AviEncoder& encoder, size_t frameBytes, int32_t blockAlign);
    ~EncoderThread(); // finishes
    EncoderThread(const EncoderThread&) = delete;
    EncoderThread& operator=(const EncoderThread&) = delete;

    // Queue a copy of the data and return at once (waiting only while the queue is full). The
    // result is the first error the thread has met so far, so a failure shows up a few frames
    // late at the latest, and at `finish` for certain.
    int writeVideoFrame(const uint8_t* pixels, bool bottomUp);
    int writeAudio(const uint8_t* samples, int32_t count);

    // Writes everything queued, stops the thread and finishes the file. Safe to call twice.
    int finish();
    // Whether the first error came from writing sound (otherwise from a frame or the file).
    bool failedOnSound() const;

private:
    struct Job {
        bool isVideo = true;
        bool bottomUp = false;
        int32_t count = 0;
        std::vector<uint8_t> data;
    };

    int queue(Job&& job);
    void run();
    std::vector<uint8_t> takeSpareBuffer();



    AviEncoder& encoder;
    size_t frameBytes;
    int32_t blockAlign;
    mutable std::mutex lock;
    std::condition_variable changed;
    std::deque<Job> jobs;
    std::vector<std::vector<uint8_t>> spareBuffers;
    int firstError = 0;
    bool failedOnSoundFlag = false;
    bool stopping = false;
    bool finished = false;
    std::thread worker;
};
