// The encoding thread of the render mode.
#include "media/masters/EncoderThread.h"

#include <cerrno>
#include <cstring>

EncoderThread::EncoderThread(AviEncoder& target, size_t bytesPerFrame, int32_t bytesPerSampleFrame)
    : encoder(target), frameBytes(bytesPerFrame), blockAlign(bytesPerSampleFrame) {}

EncoderThread::~EncoderThread() { finish(); }

std::vector<uint8_t> EncoderThread::takeSpareBuffer() {
    if (spareBuffers.empty()) return {};
    std::vector<uint8_t> buffer = std::move(spareBuffers.back());
    spareBuffers.pop_back();
    return buffer;
}

int EncoderThread::writeVideoFrame(const uint8_t* pixels, bool bottomUp) {
    Job job;
    job.isVideo = true;
    job.bottomUp = bottomUp;
    {
        std::lock_guard<std::mutex> guard(lock);
        job.data = takeSpareBuffer();
    }
    job.data.assign(pixels, pixels + frameBytes);
    return queue(std::move(job));
}

int EncoderThread::writeAudio(const uint8_t* samples, int32_t count) {
    Job job;
    job.isVideo = false;
    job.count = count;
    job.data.assign(samples, samples + size_t(count) * size_t(blockAlign));
    return queue(std::move(job));
}

int EncoderThread::queue(Job&& job) {
    std::unique_lock<std::mutex> guard(lock);
    if (finished) return firstError < 0 ? firstError : -EINVAL; // the file is closed
    if (!worker.joinable()) worker = std::thread(&EncoderThread::run, this);
    changed.wait(guard, [&] { return jobs.size() < maxQueuedJobs || firstError < 0; });
    if (firstError < 0) return firstError;
    jobs.push_back(std::move(job));
    changed.notify_all();
    return 0;
}

void EncoderThread::run() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [&] { return !jobs.empty() || stopping; });
        if (jobs.empty()) return; // stopping with nothing left
        Job job = std::move(jobs.front());
        jobs.pop_front();
        bool skip = firstError < 0; // after an error nothing more goes into the file
        guard.unlock();
        int result = 0;
        if (!skip)
            result = job.isVideo ? encoder.writeVideoFrame(job.data.data(), job.bottomUp)
                                 : encoder.writeAudio(job.data.data(), job.count);
        guard.lock();
        if (result < 0 && firstError == 0) {
            firstError = result;
            failedOnSoundFlag = !job.isVideo;
        }
        if (job.isVideo && spareBuffers.size() < maxQueuedJobs) spareBuffers.push_back(std::move(job.data));
        changed.notify_all();
    }
}

int EncoderThread::finish() {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (finished) return firstError;
        stopping = true;
        finished = true;
        changed.notify_all();
    }
    if (worker.joinable()) worker.join();
    int result = encoder.finish();
    return firstError < 0 ? firstError : result;
}

bool EncoderThread::failedOnSound() const {
    std::lock_guard<std::mutex> guard(lock);
    return failedOnSoundFlag;
}
