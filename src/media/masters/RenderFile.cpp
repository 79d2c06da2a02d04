// The AVI render file: one file per rendered part, each frame written with exactly the sound
// that belongs to it, the sound taken from the render capture.
#include "media/masters/RenderFile.h"

#include "media/VideoFailure.h"
#include "media/masters/AudioCapture.h"
#include "media/masters/AviEncoder.h"
#include "media/masters/EncoderThread.h"
#include "media/masters/OpenWriters.h"
#include "media/masters/RenderOutput.h"
#include "media/masters/RenderSpace.h"
#include "platform/DiskSpace.h"
#include "platform/FrameBuffer.h"
#include "platform/SystemClock.h"
#include "platform/pixels/FastMemory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <vector>

struct RenderFile::Writer {
    explicit Writer(RenderOutput& output) : output(output), capture(output.getCapture()), sound(output.getSound()) {}

    RenderOutput& output;
    AudioCapture& capture;
    SoundSystem& sound;
    AviEncoder encoder;
    std::unique_ptr<EncoderThread> encoding; // encodes on its own thread once the header is written
    std::string fileName;
    int32_t width = 0;
    int32_t height = 0;
    int32_t framesPerSecond = 25;
    int32_t framesWritten = 0;
    int64_t framesPassed = 0; // written or passed over: the part's frames so far
    bool summarised = false; // listed in the render summary
    int32_t audioRate = 44100;
    int32_t audioChannels = 2;
    int32_t audioBits = 16;
    int32_t audioBlockAlign = 4;
    int64_t audioSamplesWritten = 0;
    int64_t audioSamplesPassed = 0; // the part's sound so far, written or passed over
    int64_t audioBytesConsumed = 0;
    bool audioEnabled = false;
    SoundHandle audioChannel = 0;
    FrameSource source = FrameSource::None;
    const uint8_t* sourceBuffer = nullptr;
    FrameBuffer* sourceFrameBuffer = nullptr;
    std::vector<uint8_t> readBackBuffer;
    std::vector<uint8_t> audioBlock;

    [[noreturn]] void fail(const std::string& message, int code) const {
        throw VideoFailure(message, code, fileName);
    }

    // A write that failed: on a full disk the unfinished file is removed, and the message says
    // so; any other failure keeps what was written.
    [[noreturn]] void failWriting(int code) {
        const std::string message = writeFailure();
        if (AviEncoder::isDiskFullError(code)) {
            if (encoding) OpenWriters::finish(encoding.get());
            struct stat status {};
            // Only a file of the render's own goes; a device that refuses writes stays.
            if (stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
                std::remove(fileName.c_str());
                summarised = true; // nothing of it is left to list
                throw VideoFailure(message, code, fileName, framesWritten == 0 ? ": the disk is full; the file had no frame yet and was removed"
                                                       : ": the disk is full; the unfinished file was removed");
            }
        }
        fail(message, code);
    }

    // Before a frame is handed on: when the disk has no more room than the frames that may be
    // waiting and the index need, the file is finished here, playable to its last frame, and the
    // render ends with the full disk's message.
    void keepRoomForTheFrame();
    void finishFile();

    // The message for a failed write, by what failed first.
    const char* writeFailure() const {
        return encoding && encoding->failedOnSound() ? "Couldn't write audio to avi stream"
                                                 : "Couldn't write to avi stream";
    }

    // End of the sound of the next frame, in sample frames from the start of the file. 64-bit:
    // at high frame rates frames x rate no longer fits 32 bits within a part.
    int64_t nextFrameAudioEnd() const { return (framesPassed + 1) * audioRate / framesPerSecond; }

    void open(const std::string& codecName);
    void waitForAudio();
    // The next frame's sound out of the capture, into the file when write is set.
    void writeSound(bool write);
    void writePixels(const uint8_t* pixels);
    const uint8_t* readBack();
};

namespace {
// The first failure met while a destructor finished a file.
std::mutex unreportedLock;
std::optional<VideoFailure>& unreported() {
    static auto* failure = new std::optional<VideoFailure>();
    return *failure;
}
} // namespace

RenderFile::RenderFile(const RenderFileSettings& settings, RenderOutput& output)
    : writer(std::make_unique<Writer>(output)) {
    Writer& w = *writer;
    w.fileName = settings.fileName;
    w.width = settings.width;
    w.height = settings.height;
    w.framesPerSecond = settings.framesPerSecond;
    w.audioRate = settings.audioRate;
    w.audioBits = settings.audioBits;
    w.audioChannels = 2;
    w.audioBlockAlign = settings.audioBits / 8 * w.audioChannels;
    w.audioEnabled = settings.withAudio;
    w.open(settings.codecName);
}

void RenderFile::Writer::open(const std::string& codecName) {
    // Everything that can be refused is checked before the file exists.
    if (framesPerSecond < 1 || framesPerSecond > 1000 || width < 1 || height < 1)
        fail("Couldn't create avi stream", AviEncoder::invalidFormatError());
    if (!AviEncoder::isKnownCodec(codecName))
        fail("Couldn't create avi stream", AviEncoder::unknownCodecError());
    if (int result = encoder.prepare(fileName); result < 0) fail("Couldn't open avi file!", result);
    AviVideoFormat video;
    video.width = width;
    video.height = height;
    video.framesPerSecond = framesPerSecond;
    video.codec = codecName;
    if (int result = encoder.createVideoStream(video); result < 0) fail("Couldn't create avi stream", result);
    if (audioEnabled) {
        AviAudioFormat audio;
        audio.rate = audioRate;
        audio.channels = audioChannels;
        audio.bits = audioBits;
        if (audioRate < 1 || encoder.createAudioStream(audio) < 0) {
            if (output.getReport().warn) output.getReport().warn("Couldn't create audio stream for avi - sound disabled!");
            audioEnabled = false;
        }
    }

    if (int result = encoder.openFile(); result < 0) fail("Couldn't open avi file!", result);
    if (int result = encoder.begin(); result < 0) {
        // A file without a header is of no use to anyone.
        encoder.finish();
        std::remove(fileName.c_str());
        fail("Couldn't create avi stream", result);
    }
    encoding = std::make_unique<EncoderThread>(encoder, size_t(width) * size_t(height) * 3, audioBlockAlign);
    OpenWriters::add(encoding.get());
    // A new writer starts a new capture: its part's sound begins at position 0.
    if (audioEnabled) capture.reset();
}

void RenderFile::Writer::finishFile() {
    const bool open = encoding != nullptr;
    int result = open ? OpenWriters::finish(encoding.get()) : 0;
    if (AviEncoder::isDiskFullError(result)) failWriting(result);
    if (open && !summarised) {
        // The summary lists the file once, with its final size.
        if (output.getReport().fileFinished) output.getReport().fileFinished(fileName, framesWritten, framesPerSecond);
        summarised = true;
    }
    if (result < 0) fail(writeFailure(), result);
}

void RenderFile::Writer::keepRoomForTheFrame() {
    if (!encoding) return;
    const int64_t free = Sys_FreeDiskBytes(fileName);
    if (free < 0) return; // the room cannot be told: writing shows
    // The largest a frame can take: uncompressed, with a tenth more, and its sound.
    const int64_t frameBytes = int64_t(width) * height * 3 * 11 / 10 + int64_t(audioRate) * audioBlockAlign / framesPerSecond;
    if (free >= RenderSpace::reserveBeforeFrame(frameBytes, framesWritten)) return;
    if (framesWritten == 0) failWriting(AviEncoder::diskFullError()); // a file without a frame goes
    finishFile();
    char detail[160];
    std::snprintf(detail, sizeof detail, ": the disk is full; the file is finished after its frame %d (%.2f s)",
                  int(framesWritten), double(framesWritten) / framesPerSecond);
    throw VideoFailure(writeFailure(), AviEncoder::diskFullError(), fileName, detail);
}

void RenderFile::finish() {
    writer->finishFile();
}

RenderFile::~RenderFile() {
    try {
        finish();
    } catch (const VideoFailure& failure) {
        std::lock_guard<std::mutex> guard(unreportedLock);
        if (!unreported()) unreported().emplace(failure);
    }
}

std::optional<VideoFailure> RenderFile::takeUnreportedFailure() {
    std::lock_guard<std::mutex> guard(unreportedLock);
    std::optional<VideoFailure> failure = std::move(unreported());
    unreported().reset();
    return failure;
}

void RenderFile::readFramesFrom(const uint8_t* buffer, SoundHandle channel) {
    writer->source = FrameSource::Buffer;
    writer->sourceBuffer = buffer;
    writer->audioChannel = channel;
    // The capture then takes that channel's blocks.
    if (writer->audioEnabled) writer->capture.attach(channel);
}

void RenderFile::readFramesFrom(FrameBuffer* frameBuffer, SoundHandle channel) {
    writer->source = FrameSource::FrameBufferReadBack;
    writer->sourceFrameBuffer = frameBuffer;
    writer->audioChannel = channel;
    // The capture then takes that channel's blocks.
    if (writer->audioEnabled) writer->capture.attach(channel);
}

void RenderFile::writeFrame(int32_t percent) {
    Writer& w = *writer;
    w.keepRoomForTheFrame();
    if (w.audioEnabled) w.writeSound(true);
    switch (w.source) {
    case FrameSource::Buffer:
        if (w.sourceBuffer) w.writePixels(w.sourceBuffer);
        break;
    case FrameSource::FrameBufferReadBack:
        w.writePixels(w.readBack());
        break;
    case FrameSource::None:
        break;
    }
    if (w.output.getReport().frameWritten) w.output.getReport().frameWritten(w.fileName, percent, w.framesWritten);
}

void RenderFile::skipFrame() {
    Writer& w = *writer;
    if (w.audioEnabled) w.writeSound(false);
    w.framesPassed += 1;
}

void RenderFile::Writer::writeSound(bool write) {
    int64_t need = nextFrameAudioEnd() * audioBlockAlign - audioBytesConsumed;
    waitForAudio();
    if (capture.hasOverflowed())
        fail("Couldn't capture audio for avi stream (more than " + std::to_string(capture.getCapacity()) +
                 " bytes in one part)",
             AviEncoder::bufferFullError());
    int64_t count = nextFrameAudioEnd() - audioSamplesPassed;
    if (count > 0 && write) {
        audioBlock.resize(size_t(need));
        capture.read(audioBytesConsumed, audioBlock.data(), need);
        int result = encoding->writeAudio(audioBlock.data(), int32_t(count));
        if (result < 0) failWriting(result);
        audioSamplesWritten += count;
    }
    if (count > 0) audioSamplesPassed += count;
    audioBytesConsumed += need;
    capture.discardBefore(audioBytesConsumed);
}

// Captures sound until the next frame's audio is there or the channel has ended.
void RenderFile::Writer::waitForAudio() {
    const int64_t wanted = audioBytesConsumed + (nextFrameAudioEnd() - audioSamplesPassed) * audioBlockAlign;
    const bool offline = sound.isInitialised() && sound.getOutput() == SoundOutput::Offline;
    uint32_t lastProgressMs = Sys_Milliseconds();
    for (;;) {
        int64_t have = capture.getWritePosition();
        if (have >= wanted || capture.hasOverflowed() || audioChannel == 0 || !sound.isActive(audioChannel))
            break;
        if (offline) {
            // Offline the sound is made on demand: exactly the missing sample frames.
            int64_t missing = (wanted - have + audioBlockAlign - 1) / audioBlockAlign;
            sound.renderOfflineBlock(int32_t(missing));
            if (capture.getWritePosition() == have) break; // the channel gave nothing: it has ended
        } else {
            // Live output plays in real time on its own thread; give up if it stalls.
            Sys_Sleep(1);
            if (capture.getWritePosition() != have)
                lastProgressMs = Sys_Milliseconds();
            else if (Sys_Milliseconds() - lastProgressMs > 2000)
                break;
        }
    }
    capture.takeCapturedSinceWait();
}

// The frame buffer's store, 4 bytes per pixel, converted to 3: rows of the store's width from
// the top (a doubled store read as it lies, its in-between lines included); what the store does
// not cover stays black.
const uint8_t* RenderFile::Writer::readBack() {
    readBackBuffer.assign(size_t(width) * size_t(height) * 3, 0);
    FrameBuffer* frameBuffer = sourceFrameBuffer;
    if (frameBuffer && frameBuffer->getPixels() && frameBuffer->getBitsPerPixel() == 32) {
        const int32_t storeWidth = frameBuffer->getWidth();
        const int32_t storeRows = frameBuffer->getHeight() * (frameBuffer->isDoubled() ? 2 : 1);
        const int32_t rows = std::min(height, storeRows);
        const int32_t columns = std::min(width, storeWidth);
        for (int32_t y = 0; y < rows; ++y)
            FastMemory::to24(readBackBuffer.data() + size_t(y) * size_t(width) * 3,
                             frameBuffer->getPixels() + size_t(y) * size_t(storeWidth) * 4, size_t(columns));
    }
    return readBackBuffer.data();
}

// Top-down rows as drawn; the encoder stores them the way its format wants (a raw bitmap
// bottom-up), so no flipped copy is made here.
void RenderFile::Writer::writePixels(const uint8_t* pixels) {
    int result = encoding->writeVideoFrame(pixels, false);
    if (result < 0) failWriting(result);
    framesWritten += 1;
    framesPassed += 1;
}

int32_t RenderFile::getFramesWritten() const {
    return writer->framesWritten;
}

int64_t RenderFile::getAudioSamplesWritten() const {
    return writer->audioSamplesWritten;
}

bool RenderFile::isAudioEnabled() const {
    return writer->audioEnabled;
}
