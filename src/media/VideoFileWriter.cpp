// The writer side of VideoFile: one AVI file per rendered part, each frame written with exactly
// the sound that belongs to it, the sound taken from the render capture.
#include "media/VideoFile.h"

#include "media/render/AudioCapture.h"
#include "media/render/AviEncoder.h"
#include "media/render/EncoderThread.h"
#include "media/render/OpenWriters.h"
#include "media/render/RenderProgress.h"
#include "media/render/VideoFrameSource.h"
#include "platform/FrameBuffer.h"
#include "platform/MessageBox.h"
#include "platform/pixels/FastMemory.h"
#include "platform/SystemClock.h"
#include "shell/CommandLine.h"
#include "shell/ShowState.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

struct VideoFile::Writer {
    AviEncoder encoder;
    std::unique_ptr<EncoderThread> output; // encodes on its own thread once the header is written
    std::string fileName;
    int32_t width = 0;
    int32_t height = 0;
    int32_t framesPerSecond = 25;
    int32_t framesWritten = 0;
    int32_t audioRate = 44100;
    int32_t audioChannels = 2;
    int32_t audioBits = 16;
    int32_t audioBlockAlign = 4;
    int64_t audioSamplesWritten = 0;
    int64_t audioBytesConsumed = 0;
    bool audioEnabled = false;
    SoundHandle audioChannel = 0;
    int32_t sourceMode = 0; // 1 object, 2 read-back, 3 buffer
    VideoFrameSource* sourceObject = nullptr;
    const uint8_t* sourceBuffer = nullptr;
    void* sourceParameter = nullptr;
    std::vector<uint8_t> readBackBuffer;
    std::vector<uint8_t> audioBlock;

    // The message for a failed write, by what failed first.
    const char* writeFailure() const {
        return output && output->failedOnSound() ? "Couldn't write audio to avi stream" : "Couldn't write to avi stream";
    }

    // End of the sound of the next frame, in sample frames from the start of the file. 64-bit:
    // at high frame rates frames x rate no longer fits 32 bits within a part.
    int64_t nextFrameAudioEnd() const { return (int64_t(framesWritten) + 1) * audioRate / framesPerSecond; }
};

void resetAudioCapture() { AudioCapture::instance().reset(); }

VideoFile::VideoFile(void* instanceHandle, const char* fileName, int32_t frameWidth, int32_t frameHeight,
                     bool withAudio, int32_t rate, int32_t audioRate, int32_t audioBits)
    : writer(new Writer()) {
    (void)instanceHandle; // nothing on this platform needs the module handle
    Writer& w = *writer;
    w.fileName = fileName ? fileName : "";
    width = w.width = frameWidth;
    height = w.height = frameHeight;
    framesPerSecond = w.framesPerSecond = rate;
    w.audioRate = audioRate;
    w.audioBits = audioBits;
    w.audioChannels = 2;
    w.audioBlockAlign = audioBits / 8 * w.audioChannels;
    w.audioEnabled = withAudio;

    // Everything that can be refused is checked before the file exists.
    if (rate < 1 || rate > 1000 || frameWidth < 1 || frameHeight < 1)
        fail("Couldn't create avi stream", AviEncoder::invalidFormatError());
    if (!CommandLine::isKnownCodec(Show::codecName)) fail("Couldn't create avi stream", AviEncoder::unknownCodecError());
    if (int result = w.encoder.prepare(w.fileName); result < 0) fail("Couldn't open avi file!", result);
    AviVideoFormat video;
    video.width = frameWidth;
    video.height = frameHeight;
    video.framesPerSecond = rate;
    video.codec = Show::codecName;
    if (int result = w.encoder.createVideoStream(video); result < 0) fail("Couldn't create avi stream", result);
    if (w.audioEnabled) {
        AviAudioFormat audio;
        audio.rate = audioRate;
        audio.channels = w.audioChannels;
        audio.bits = audioBits;
        if (audioRate < 1 || w.encoder.createAudioStream(audio) < 0) {
            Sys_MessageBox("Couldn't create audio stream for avi - sound disabled!", "Warning",
                           MessageIcon::Exclamation);
            w.audioEnabled = false;
        }
    }

    if (int result = w.encoder.openFile(); result < 0) fail("Couldn't open avi file!", result);
    if (int result = w.encoder.begin(); result < 0) {
        // A file without a header is of no use to anyone.
        w.encoder.finish();
        std::remove(w.fileName.c_str());
        fail("Couldn't create avi stream", result);
    }
    w.output = std::make_unique<EncoderThread>(w.encoder, size_t(frameWidth) * size_t(frameHeight) * 3,
                                               w.audioBlockAlign);
    OpenWriters::add(w.output.get());
    // A new writer starts a new capture: its part's sound begins at position 0.
    if (w.audioEnabled) AudioCapture::instance().reset();
}

void VideoFile::WriterDeleter::operator()(Writer* w) const {
    if (!w) return;
    RenderProgress::instance().finishLine();
    if (int result = w->output ? OpenWriters::finish(w->output.get()) : 0; result < 0) {
        std::string message = w->writeFailure();
        delete w;
        fail(message, result);
    }
    delete w;
}

namespace {
// Keeps the channel and hooks the capture onto it; the capture then takes that channel's blocks.
SoundHandle attachChannel(bool audioEnabled, const SoundHandle* channel) {
    SoundHandle handle = channel ? *channel : 0;
    if (audioEnabled) AudioCapture::instance().attach(handle);
    return handle;
}
} // namespace

void VideoFile::setSourceBuffer(const uint8_t* buffer, const SoundHandle* channel) {
    if (!writer) return;
    writer->sourceMode = 3;
    writer->sourceBuffer = buffer;
    writer->audioChannel = attachChannel(writer->audioEnabled, channel);
}

void VideoFile::setSourceReadBack(void* parameter, const SoundHandle* channel) {
    if (!writer) return;
    writer->sourceMode = 2;
    writer->sourceParameter = parameter;
    writer->audioChannel = attachChannel(writer->audioEnabled, channel);
}

void VideoFile::setSourceObject(VideoFrameSource* object, const SoundHandle* channel) {
    if (!writer) return;
    writer->sourceMode = 1;
    writer->sourceObject = object;
    writer->audioChannel = attachChannel(writer->audioEnabled, channel);
}

void VideoFile::update(int32_t percent) {
    if (!writer) return;
    Writer& w = *writer;
    RenderProgress::instance().start();
    if (w.audioEnabled) {
        int64_t need = w.nextFrameAudioEnd() * w.audioBlockAlign - w.audioBytesConsumed;
        waitForAudio();
        AudioCapture& capture = AudioCapture::instance();
        if (capture.hasOverflowed())
            fail("Couldn't capture audio for avi stream (more than " + std::to_string(capture.getCapacity()) +
                     " bytes in one part)",
                 AviEncoder::bufferFullError());
        w.audioBlock.resize(size_t(need));
        capture.read(w.audioBytesConsumed, w.audioBlock.data(), need);
        writeData(w.audioBlock.data(), 3);
        w.audioBytesConsumed += need;
    }
    switch (w.sourceMode) {
    case 3: writeData(w.sourceBuffer, 1); break;
    case 2: writeData(nullptr, 2); break;
    case 1:
        if (w.sourceObject) {
            writeData(w.sourceObject->getFrame(), 1);
            w.sourceObject->frameTaken();
        }
        break;
    default: break;
    }
    RenderProgress::instance().report(w.fileName, percent, w.framesWritten);
}

void VideoFile::waitForAudio() {
    if (!writer || !writer->audioEnabled) return;
    Writer& w = *writer;
    AudioCapture& capture = AudioCapture::instance();
    SoundSystem& sound = SoundSystem::instance();
    const int64_t wanted = w.audioBytesConsumed + (w.nextFrameAudioEnd() - w.audioSamplesWritten) * w.audioBlockAlign;
    const bool offline = sound.isInitialised() && sound.getOutput() == SoundOutput::Offline;
    uint32_t lastProgressMs = Sys_Milliseconds();
    for (;;) {
        int64_t have = capture.getWritePosition();
        if (have >= wanted || capture.hasOverflowed() || w.audioChannel == 0 || !sound.isActive(w.audioChannel))
            break;
        if (offline) {
            // Offline the sound is made on demand: exactly the missing sample frames.
            int64_t missing = (wanted - have + w.audioBlockAlign - 1) / w.audioBlockAlign;
            sound.renderOfflineBlock(int32_t(missing));
            if (capture.getWritePosition() == have) break; // the channel gave nothing: it has ended
        } else {
            // Live output plays in real time on its own thread; give up if it stalls.
            Sys_Sleep(1);
            if (capture.getWritePosition() != have) lastProgressMs = Sys_Milliseconds();
            else if (Sys_Milliseconds() - lastProgressMs > 2000) break;
        }
    }
    capture.takeCapturedSinceWait();
}

void VideoFile::writeData(const uint8_t* data, int32_t kind) {
    if (!writer) return;
    Writer& w = *writer;
    if (kind == 1 || kind == 2) {
        const uint8_t* pixels;
        bool bottomUp;
        if (kind == 1) {
            // Top-down rows as drawn; the encoder stores them the way its format wants (a raw
            // bitmap bottom-up), so no flipped copy is made here.
            if (!data) return;
            pixels = data;
            bottomUp = false;
        } else {
            // The current display's frame buffer, 4 bytes per pixel, converted to 3; what the
            // frame buffer does not cover stays black.
            w.readBackBuffer.assign(size_t(w.width) * size_t(w.height) * 3, 0);
            FrameBuffer* frameBuffer = Show::currentFrameBuffer;
            if (frameBuffer && frameBuffer->getPixels() && frameBuffer->getBitsPerPixel() == 32) {
                int32_t rows = std::min(w.height, frameBuffer->getHeight());
                int32_t columns = std::min(w.width, frameBuffer->getWidth());
                for (int32_t y = 0; y < rows; ++y)
                    FastMemory::to24(w.readBackBuffer.data() + size_t(y) * w.width * 3,
                                     frameBuffer->getPixels() + size_t(y) * frameBuffer->getWidth() * 4,
                                     size_t(columns));
            }
            pixels = w.readBackBuffer.data();
            bottomUp = false;
        }
        int result = w.output->writeVideoFrame(pixels, bottomUp);
        if (result < 0) fail(w.writeFailure(), result);
        w.framesWritten += 1;
    } else if (kind == 3 && w.audioEnabled) {
        int64_t count = w.nextFrameAudioEnd() - w.audioSamplesWritten;
        if (count <= 0 || !data) return;
        int result = w.output->writeAudio(data, int32_t(count));
        if (result < 0) fail(w.writeFailure(), result);
        w.audioSamplesWritten += count;
    }
}

int32_t VideoFile::getAudioSamplesWritten() { return writer ? int32_t(writer->audioSamplesWritten) : 0; }

int32_t VideoFile::getFramesWritten() const { return writer ? writer->framesWritten : 0; }

bool VideoFile::isAudioEnabled() const { return writer && writer->audioEnabled; }

void VideoFile::setAudioRate(int32_t rate) {
    // The rate is part of the stream format, written when the file was created, so it cannot
    // change afterwards; the call is kept for callers of the writer interface.
    (void)rate;
}

uint8_t* VideoFile::getAudioBuffer() { return AudioCapture::instance().data(); }

bool VideoFile::isDialogClosed() { return RenderProgress::instance().isClosed(); }
