// MP4 writing over libavformat with libx264 and FFmpeg's own AAC encoder, the sound resampled by
// libswresample. The AAC encoder's priming shows as negative time stamps on its first packets,
// which the MP4 muxer turns into an edit list, so picture and sound both start at zero.
#include "media/film/FilmWriter.h"

#include "media/FfmpegObjects.h"
#include "media/film/DeliveryFailure.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <vector>

struct FilmWriter::State {
    std::string fileName;
    int32_t framesPerSecond = 25;
    int32_t width = 0, height = 0;
    AVFormatContext* container = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* soundFrame = nullptr;
    AVPacket* packet = nullptr;
    SwrContext* resampler = nullptr;
    std::vector<float> resampled[2]; // one call's output, left and right
    bool fileOpen = false;
    bool finished = false;
    int64_t framesWritten = 0;
    int64_t soundWritten = 0; // master sample frames handed in
    int64_t soundEncoded = 0; // film sample frames made, the pending ones included
    int32_t soundPending = 0; // film sample frames waiting in soundFrame

    ~State() {
        Ffmpeg::releaseAll(soundFrame, packet, video, audio, resampler);
        Ffmpeg::releaseOutput(container, fileOpen);
    }

    void check(int result, const char* operation) {
        if (result < 0) failDelivery(operation, fileName, result);
    }

    AVCodecContext* openEncoder(const char* name, void (State::*configure)(AVCodecContext*)) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name);
        if (!codec)
            check(AVERROR_ENCODER_NOT_FOUND,
                  (std::string("Couldn't find the ") + name + " encoder for").c_str());
        AVCodecContext* context = avcodec_alloc_context3(codec);
        if (!context) check(AVERROR(ENOMEM), "Couldn't create");
        (this->*configure)(context);
        if (container->oformat->flags & AVFMT_GLOBALHEADER) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int result = avcodec_open2(context, codec, nullptr);
        if (result < 0) {
            avcodec_free_context(&context);
            check(result, (std::string("Couldn't open the ") + name + " encoder for").c_str());
        }
        return context;
    }

    AVStream* addStream(AVCodecContext* encoder) {
        AVStream* stream = avformat_new_stream(container, nullptr);
        if (!stream) check(AVERROR(ENOMEM), "Couldn't create a stream of");
        stream->time_base = encoder->time_base;
        check(avcodec_parameters_from_context(stream->codecpar, encoder), "Couldn't create a stream of");
        return stream;
    }

    // Moves every packet the encoder has ready into the file.
    void drain(AVCodecContext* encoder, AVStream* stream) {
        for (;;) {
            int result = avcodec_receive_packet(encoder, packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
            check(result, "Couldn't encode");
            if (packet->duration == 0 && encoder == video) packet->duration = 1;
            packet->stream_index = stream->index;
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            check(av_interleaved_write_frame(container, packet), "Couldn't write to");
        }
    }

    void sendSound() {
        soundFrame->nb_samples = soundPending;
        soundFrame->pts = soundEncoded - soundPending;
        check(avcodec_send_frame(audio, soundFrame), "Couldn't encode the sound of");
        soundPending = 0;
        drain(audio, audioStream);
    }

    // Resamples count master sample frames (interleaved pairs; null flushes the resampler) and
    // hands the result to the encoder a frame at a time.
    void resample(const int16_t* samples, int32_t count) {
        const int capacity = swr_get_out_samples(resampler, count);
        check(capacity, "Couldn't resample the sound of");
        for (std::vector<float>& channel : resampled) channel.resize(size_t(capacity));
        uint8_t* to[2] = {reinterpret_cast<uint8_t*>(resampled[0].data()),
                          reinterpret_cast<uint8_t*>(resampled[1].data())};
        const uint8_t* from[1] = {reinterpret_cast<const uint8_t*>(samples)};
        const int made = swr_convert(resampler, to, capacity, samples ? from : nullptr, count);
        check(made, "Couldn't resample the sound of");
        for (int done = 0; done < made;) {
            if (soundPending == 0) check(av_frame_make_writable(soundFrame), "Couldn't encode the sound of");
            const int take = std::min(made - done, audio->frame_size - soundPending);
            for (int c = 0; c < 2; ++c)
                std::copy_n(resampled[c].data() + done, take,
                            reinterpret_cast<float*>(soundFrame->data[c]) + soundPending);
            done += take;
            soundPending += take;
            soundEncoded += take;
            if (soundPending == audio->frame_size) sendSound();
        }
    }

    // Writes count master sample frames from samples, or silence when samples is null.
    void addSound(const int16_t* samples, int64_t count) {
        static const int16_t silence[2 * 4096] = {};
        while (count > 0) {
            const int32_t take = int32_t(std::min<int64_t>(count, 4096));
            resample(samples ? samples : silence, take);
            if (samples) samples += 2 * take;
            count -= take;
            soundWritten += take;
        }
    }

    void configureVideo(AVCodecContext* video) {
        video->width = width;
        video->height = height;
        video->pix_fmt = AV_PIX_FMT_YUV420P;
        video->sample_aspect_ratio = AVRational{1, 1};
        video->time_base = AVRational{1, framesPerSecond};
        video->framerate = AVRational{framesPerSecond, 1};
        video->gop_size = std::max(1, framesPerSecond * 2);
        video->color_range = AVCOL_RANGE_MPEG;
        video->colorspace = AVCOL_SPC_BT709;
        video->color_primaries = AVCOL_PRI_BT709;
        video->color_trc = AVCOL_TRC_BT709;
        // Chroma is the mean of its 2x2 pixels.
        video->chroma_sample_location = AVCHROMA_LOC_CENTER;
        video->thread_count = 0;
        // The fastest settings, with the 8x8 transform of the High profile; at constant quality
        // the file is larger than a slower preset would make it, not worse to look at. The same
        // at both sizes.
        av_opt_set(video->priv_data, "preset", "ultrafast", 0);
        av_opt_set(video->priv_data, "x264-params", "8x8dct=1", 0);
        av_opt_set(video->priv_data, "profile", "high", 0);
        av_opt_set_double(video->priv_data, "crf", 18.0, 0);
    }

    void configureAudio(AVCodecContext* audio) {
        audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
        audio->sample_rate = FilmWriter::soundRate;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        av_channel_layout_copy(&audio->ch_layout, &stereo);
        audio->profile = FF_PROFILE_AAC_LOW;
        audio->bit_rate = FilmWriter::soundBitRate;
        audio->time_base = AVRational{1, FilmWriter::soundRate};
    }

    // 44.1 kHz 16-bit to 48 kHz float: a windowed-sinc filter of 64 taps (Kaiser, beta 9) that
    // keeps the band up to 97% of the lower rate's half.
    void openResampler() {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        check(swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLTP, FilmWriter::soundRate, &stereo,
                                  AV_SAMPLE_FMT_S16, FilmWriter::masterSoundRate, 0, nullptr),
              "Couldn't resample the sound of");
        av_opt_set_int(resampler, "filter_size", 64, 0);
        av_opt_set_int(resampler, "filter_type", SWR_FILTER_TYPE_KAISER, 0);
        av_opt_set_double(resampler, "kaiser_beta", 9.0, 0);
        av_opt_set_double(resampler, "cutoff", 0.97, 0);
        check(swr_init(resampler), "Couldn't resample the sound of");
    }
};

namespace {
void setChapters(AVFormatContext* container, int32_t framesPerSecond,
                 const std::vector<FilmChapter>& chapters) {
    int64_t start = 0;
    for (const FilmChapter& planned : chapters) {
        AVChapter* chapter = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
        auto** grown = static_cast<AVChapter**>(
            av_realloc_array(container->chapters, container->nb_chapters + 1, sizeof(AVChapter*)));
        if (!chapter || !grown) {
            av_free(chapter);
            if (grown) container->chapters = grown;
            throw AVERROR(ENOMEM);
        }
        container->chapters = grown;
        chapter->id = container->nb_chapters;
        chapter->time_base = AVRational{1, framesPerSecond};
        chapter->start = start;
        chapter->end = start + planned.frames;
        av_dict_set(&chapter->metadata, "title", planned.title.c_str(), 0);
        container->chapters[container->nb_chapters++] = chapter;
        start = chapter->end;
    }
}

} // namespace

FilmWriter::FilmWriter(const std::string& fileName, int32_t framesPerSecond, int32_t width, int32_t height)
    : state(std::make_unique<State>()) {
    State& s = *state;
    s.fileName = fileName;
    s.framesPerSecond = framesPerSecond;
    s.width = width;
    s.height = height;
    // The encoders' statistics are of no use on the terminal; failures are reported by name.
    if (av_log_get_level() > AV_LOG_ERROR) av_log_set_level(AV_LOG_ERROR);
    if (framesPerSecond < 1) s.check(AVERROR(EINVAL), "Couldn't create (frame rate out of range)");
    if (width < 2 || height < 2 || width % 2 || height % 2)
        s.check(AVERROR(EINVAL), "Couldn't create (picture size out of range)");
    // Always a plain file, even when the name holds a colon; the index is moved to the front
    // by reading the file back under the same name.
    std::string url = "file:" + fileName;
    s.check(avformat_alloc_output_context2(&s.container, nullptr, "mp4", url.c_str()), "Couldn't create");
    s.video = s.openEncoder("libx264", &State::configureVideo);
    s.audio = s.openEncoder("aac", &State::configureAudio);
    s.openResampler();
    s.videoStream = s.addStream(s.video);
    s.audioStream = s.addStream(s.audio);
    s.soundFrame = av_frame_alloc();
    s.packet = av_packet_alloc();
    if (!s.soundFrame || !s.packet) s.check(AVERROR(ENOMEM), "Couldn't create");
    s.soundFrame->format = AV_SAMPLE_FMT_FLTP;
    s.soundFrame->sample_rate = soundRate;
    s.soundFrame->nb_samples = s.audio->frame_size;
    s.check(av_channel_layout_copy(&s.soundFrame->ch_layout, &s.audio->ch_layout), "Couldn't create");
    s.check(av_frame_get_buffer(s.soundFrame, 0), "Couldn't create");

    s.check(avio_open(&s.container->pb, url.c_str(), AVIO_FLAG_WRITE), "Couldn't create");
    s.fileOpen = true;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    int result = avformat_write_header(s.container, &options);
    av_dict_free(&options);
    s.check(result, "Couldn't write the header of");
}

FilmWriter::~FilmWriter() = default;

int64_t FilmWriter::getFramesWritten() const {
    return state->framesWritten;
}
int64_t FilmWriter::getSoundWritten() const {
    return state->soundWritten;
}

void FilmWriter::writePicture(AVFrame* picture, bool keyFrame) {
    State& s = *state;
    picture->pts = s.framesWritten;
    picture->pict_type = keyFrame ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    s.check(avcodec_send_frame(s.video, picture), "Couldn't encode a picture of");
    s.framesWritten += 1;
    s.drain(s.video, s.videoStream);
}

void FilmWriter::writeSound(const int16_t* samples, int64_t sampleFrames) {
    if (samples) state->addSound(samples, sampleFrames);
}

void FilmWriter::writeSilence(int64_t sampleFrames) {
    state->addSound(nullptr, sampleFrames);
}

void FilmWriter::finish(const std::vector<FilmChapter>& chapters) {
    State& s = *state;
    if (s.finished) return;
    s.finished = true;
    s.resample(nullptr, 0); // what the resampler's filter still holds
    if (s.soundPending > 0) s.sendSound();
    s.check(avcodec_send_frame(s.audio, nullptr), "Couldn't encode the sound of");
    s.drain(s.audio, s.audioStream);
    s.check(avcodec_send_frame(s.video, nullptr), "Couldn't encode the pictures of");
    s.drain(s.video, s.videoStream);
    std::vector<FilmChapter> real;
    for (const FilmChapter& chapter : chapters)
        if (chapter.frames > 0) real.push_back(chapter);
    // Chapters given only now, before the index, go into a chapter track written with it.
    try {
        setChapters(s.container, s.framesPerSecond, real);
    } catch (int error) {
        s.check(error, "Couldn't add the chapters to");
    }
    s.check(av_write_trailer(s.container), "Couldn't finish");
    s.fileOpen = false;
    s.check(avio_closep(&s.container->pb), "Couldn't close");
}
