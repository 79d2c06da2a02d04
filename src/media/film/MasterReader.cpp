// Reading a master back through libavformat and libavcodec; pictures are turned into planes by
// libswscale, by way of 24-bit RGB when the file holds YCbCr of another kind.
#include "media/film/MasterReader.h"

#include "media/FfmpegObjects.h"
#include "media/film/DeliveryFailure.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <array>

struct MasterReader::State {
    std::string fileName;
    AVFormatContext* input = nullptr;
    AVCodecContext* decoder = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int videoIndex = -1;
    int audioIndex = -1;
    bool endOfFile = false;
    // Decoded format to 24-bit RGB (only for YCbCr files), then to the planes.
    SwsContext* toRgb = nullptr;
    SwsContext* toPlanes = nullptr;
    std::vector<uint8_t> rgb;
    std::array<std::vector<uint8_t>, 3> planes;

    ~State() {
        Ffmpeg::releaseAll(toRgb, toPlanes, frame, packet, decoder);
        Ffmpeg::releaseInput(input);
    }

    void check(int result, const char* operation) {
        if (result < 0) failDelivery(operation, fileName, result);
    }

    void prepareConverters(AVPixelFormat format) {
        const int width = decoder->width, height = decoder->height;
        const bool isRgb = (av_pix_fmt_desc_get(format)->flags & AV_PIX_FMT_FLAG_RGB) != 0;
        AVPixelFormat planeSource = format;
        if (!isRgb) {
            toRgb = sws_getContext(width, height, format, width, height, AV_PIX_FMT_BGR24, SWS_BILINEAR,
                                   nullptr, nullptr, nullptr);
            rgb.resize(size_t(width) * size_t(height) * 3);
            planeSource = AV_PIX_FMT_BGR24;
        }
        toPlanes = sws_getContext(width, height, planeSource, width, height, AV_PIX_FMT_YUV444P,
                                  SWS_POINT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        if (!toPlanes || (!isRgb && !toRgb)) check(AVERROR(ENOMEM), "Couldn't convert the pictures of");
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(toPlanes, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        for (auto& plane : planes)
            plane.resize(size_t(width) * size_t(height));
    }

    void convert(PlanarPicture& picture) {
        const int width = decoder->width, height = decoder->height;
        if (!toPlanes) prepareConverters(AVPixelFormat(frame->format));
        const uint8_t* const* source = frame->data;
        const int* sourceStrides = frame->linesize;
        const uint8_t* rgbRows[4] = {rgb.data(), nullptr, nullptr, nullptr};
        int rgbStrides[4] = {width * 3, 0, 0, 0};
        if (toRgb) {
            uint8_t* to[4] = {rgb.data(), nullptr, nullptr, nullptr};
            sws_scale(toRgb, frame->data, frame->linesize, 0, height, to, rgbStrides);
            source = rgbRows;
            sourceStrides = rgbStrides;
        }
        uint8_t* to[4] = {planes[0].data(), planes[1].data(), planes[2].data(), nullptr};
        int strides[4] = {width, width, width, 0};
        sws_scale(toPlanes, source, sourceStrides, 0, height, to, strides);
        picture.width = width;
        picture.height = height;
        for (int i = 0; i < 3; ++i) {
            picture.planes[i] = planes[size_t(i)].data();
            picture.strides[i] = width;
        }
    }
};

MasterReader::MasterReader(const std::string& fileName) : state(std::make_unique<State>()) {
    State& s = *state;
    s.fileName = fileName;
    std::string url = "file:" + fileName;
    s.check(avformat_open_input(&s.input, url.c_str(), nullptr, nullptr), "Couldn't open");
    s.check(avformat_find_stream_info(s.input, nullptr), "Couldn't read the streams of");
    s.videoIndex = av_find_best_stream(s.input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    s.check(s.videoIndex, "Couldn't find the picture of");
    s.audioIndex = av_find_best_stream(s.input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (s.audioIndex >= 0) {
        // The render mode writes 44100 Hz 16-bit stereo; anything else is not a master of it.
        const AVCodecParameters* audio = s.input->streams[s.audioIndex]->codecpar;
        if (audio->codec_id != AV_CODEC_ID_PCM_S16LE || audio->sample_rate != 44100 ||
            audio->ch_layout.nb_channels != 2)
            s.check(AVERROR_INVALIDDATA, "Couldn't take the sound (not 44100 Hz 16-bit stereo) of");
    }
    const AVCodecParameters* video = s.input->streams[s.videoIndex]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(video->codec_id);
    if (!codec) s.check(AVERROR_DECODER_NOT_FOUND, "Couldn't decode the pictures of");
    s.decoder = avcodec_alloc_context3(codec);
    if (!s.decoder) s.check(AVERROR(ENOMEM), "Couldn't decode the pictures of");
    s.check(avcodec_parameters_to_context(s.decoder, video), "Couldn't decode the pictures of");
    // Slices are decoded on both cores without holding frames back.
    s.decoder->thread_count = 2;
    s.decoder->thread_type = FF_THREAD_SLICE;
    s.check(avcodec_open2(s.decoder, codec, nullptr), "Couldn't decode the pictures of");
    s.packet = av_packet_alloc();
    s.frame = av_frame_alloc();
    if (!s.packet || !s.frame) s.check(AVERROR(ENOMEM), "Couldn't read");
}

MasterReader::~MasterReader() = default;

int64_t MasterReader::getFrameCount() const {
    return state->input->streams[state->videoIndex]->nb_frames;
}
int32_t MasterReader::getWidth() const {
    return state->input->streams[state->videoIndex]->codecpar->width;
}
int32_t MasterReader::getHeight() const {
    return state->input->streams[state->videoIndex]->codecpar->height;
}

bool MasterReader::readPicture(PlanarPicture& picture, std::vector<int16_t>& sound) {
    State& s = *state;
    for (;;) {
        int result = avcodec_receive_frame(s.decoder, s.frame);
        if (result == 0) {
            s.convert(picture);
            av_frame_unref(s.frame);
            return true;
        }
        if (result == AVERROR_EOF) return false;
        if (result != AVERROR(EAGAIN)) s.check(result, "Couldn't decode a picture of");
        if (s.endOfFile) return false;
        result = av_read_frame(s.input, s.packet);
        if (result == AVERROR_EOF) {
            s.endOfFile = true;
            s.check(avcodec_send_packet(s.decoder, nullptr), "Couldn't decode a picture of");
            continue;
        }
        s.check(result, "Couldn't read");
        if (s.packet->stream_index == s.audioIndex) {
            const int16_t* samples = reinterpret_cast<const int16_t*>(s.packet->data);
            sound.insert(sound.end(), samples, samples + s.packet->size / 4 * 2);
        } else if (s.packet->stream_index == s.videoIndex) {
            result = avcodec_send_packet(s.decoder, s.packet);
            if (result < 0) {
                av_packet_unref(s.packet);
                s.check(result, "Couldn't decode a picture of");
            }
        }
        av_packet_unref(s.packet);
    }
}
