// The thumbnail and the contact sheet: pictures turned to RGB by libswscale, labels drawn with
// the bitmap font, the files encoded by FFmpeg's JPEG and PNG encoders.
#include "media/film/FilmStills.h"

#include "media/FfmpegObjects.h"
#include "media/film/ChapterList.h"
#include "media/film/DeliveryFailure.h"
#include "platform/AtomicFile.h"
#include "platform/ShowFailure.h"
#include "platform/text/BitmapFont.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <array>

namespace {

struct RgbPicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> bytes; // red, green, blue, rows top to bottom
};

// A master picture (BT.709 limited-range planes) as RGB of another size, at (x, y) of target.
void drawRgb(const PlanarPicture& picture, RgbPicture& target, int32_t x, int32_t y, int32_t width,
             int32_t height, int flags) {
    SwsContext* scaler = sws_getContext(picture.width, picture.height, AV_PIX_FMT_YUV444P, width, height,
                                        AV_PIX_FMT_RGB24, flags, nullptr, nullptr, nullptr);
    if (!scaler) failDelivery("Couldn't convert a picture of", "the film", AVERROR(ENOMEM));
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler, bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
    uint8_t* to[4] = {target.bytes.data() + (size_t(y) * size_t(target.width) + size_t(x)) * 3, nullptr,
                      nullptr, nullptr};
    int strides[4] = {target.width * 3, 0, 0, 0};
    sws_scale(scaler, picture.planes, picture.strides, 0, picture.height, to, strides);
    Ffmpeg::release(scaler);
}

// The picture as one image file by an FFmpeg encoder: "mjpeg" at JPEG quantiser quality (2 is
// the finest), or "png" at its strongest compression.
std::vector<uint8_t> encode(const char* encoderName, const RgbPicture& picture, int quality,
                            const std::string& fileName) {
    const AVCodec* codec = avcodec_find_encoder_by_name(encoderName);
    if (!codec) failDelivery("Couldn't find an encoder for", fileName, AVERROR_ENCODER_NOT_FOUND);
    const bool jpeg = std::string(encoderName) == "mjpeg";
    const AVPixelFormat format = jpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_RGB24;
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    SwsContext* converter = sws_getContext(picture.width, picture.height, AV_PIX_FMT_RGB24, picture.width,
                                           picture.height, format, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP,
                                           nullptr, nullptr, nullptr);
    std::vector<uint8_t> bytes;
    int result = encoder && frame && packet && converter ? 0 : AVERROR(ENOMEM);
    if (result == 0) {
        encoder->width = picture.width;
        encoder->height = picture.height;
        encoder->pix_fmt = format;
        encoder->time_base = AVRational{1, 25};
        if (jpeg) {
            encoder->flags |= AV_CODEC_FLAG_QSCALE;
            encoder->global_quality = FF_QP2LAMBDA * quality;
            encoder->color_range = AVCOL_RANGE_JPEG;
        } else {
            encoder->compression_level = 9;
        }
        result = avcodec_open2(encoder, codec, nullptr);
    }
    if (result == 0) {
        frame->format = format;
        frame->width = picture.width;
        frame->height = picture.height;
        frame->quality = encoder->global_quality;
        result = av_frame_get_buffer(frame, 0);
    }
    if (result == 0) {
        const uint8_t* from[4] = {picture.bytes.data(), nullptr, nullptr, nullptr};
        int strides[4] = {picture.width * 3, 0, 0, 0};
        sws_scale(converter, from, strides, 0, picture.height, frame->data, frame->linesize);
        result = avcodec_send_frame(encoder, frame);
    }
    if (result == 0) result = avcodec_send_frame(encoder, nullptr);
    while (result == 0 && (result = avcodec_receive_packet(encoder, packet)) == 0) {
        bytes.insert(bytes.end(), packet->data, packet->data + packet->size);
        av_packet_unref(packet);
    }
    Ffmpeg::releaseAll(converter, packet, frame, encoder);
    if (result != AVERROR_EOF) failDelivery("Couldn't encode", fileName, result);
    return bytes;
}

void writeWhole(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    const std::string problem = Sys_WriteFileAtomically(fileName, {FilePiece{bytes.data(), bytes.size()}});
    if (!problem.empty()) throw ShowFailure(1, problem);
}

// The sum of the variances of the three planes, from every other pixel each way.
double colourVariance(const PlanarPicture& picture) {
    double total = 0;
    for (int plane = 0; plane < 3; ++plane) {
        double sum = 0, squares = 0, count = 0;
        for (int32_t y = 0; y < picture.height; y += 2) {
            const uint8_t* row = picture.planes[plane] + std::ptrdiff_t(y) * picture.strides[plane];
            for (int32_t x = 0; x < picture.width; x += 2) {
                sum += row[x];
                squares += double(row[x]) * row[x];
            }
            count += (picture.width + 1) / 2;
        }
        if (count > 0) total += squares / count - (sum / count) * (sum / count);
    }
    return total;
}

} // namespace

struct FilmStills::State {
    int32_t framesPerSecond = 25;
    std::vector<std::string> partTitles;
    // The thumbnail's picture so far.
    int64_t thumbnailFrame = -1;
    double thumbnailVariance = -1;
    int32_t width = 0, height = 0;
    std::array<std::vector<uint8_t>, 3> planes;
    // The sheet's pictures at half size, with their labels.
    std::vector<RgbPicture> tiles;
    std::vector<std::string> labels;
};

FilmStills::FilmStills(int32_t framesPerSecond, std::vector<std::string> partTitles)
    : state(std::make_unique<State>()) {
    state->framesPerSecond = std::max(framesPerSecond, 1);
    state->partTitles = std::move(partTitles);
}

FilmStills::~FilmStills() = default;

int64_t FilmStills::getThumbnailFrame() const { return state->thumbnailFrame; }

std::string FilmStills::sheetLabel(int64_t second, size_t part) const {
    return ChapterList::clock(second) + " " + (part < state->partTitles.size() ? state->partTitles[part] : "");
}

void FilmStills::offer(const PlanarPicture& picture, size_t part, int64_t frame) {
    State& s = *state;
    if (frame % s.framesPerSecond != 0) return;
    const double variance = colourVariance(picture);
    if (variance > s.thumbnailVariance) {
        s.thumbnailVariance = variance;
        s.thumbnailFrame = frame;
        s.width = picture.width;
        s.height = picture.height;
        for (int plane = 0; plane < 3; ++plane) {
            s.planes[size_t(plane)].resize(size_t(picture.width) * size_t(picture.height));
            for (int32_t y = 0; y < picture.height; ++y)
                std::copy_n(picture.planes[plane] + std::ptrdiff_t(y) * picture.strides[plane], picture.width,
                            s.planes[size_t(plane)].data() + size_t(y) * size_t(picture.width));
        }
    }
    if (frame % (int64_t(s.framesPerSecond) * sheetSeconds) != 0) return;
    RgbPicture tile;
    tile.width = std::max(picture.width / 2, 1);
    tile.height = std::max(picture.height / 2, 1);
    tile.bytes.resize(size_t(tile.width) * size_t(tile.height) * 3);
    drawRgb(picture, tile, 0, 0, tile.width, tile.height, SWS_AREA);
    s.tiles.push_back(std::move(tile));
    s.labels.push_back(sheetLabel(frame / s.framesPerSecond, part));
}

void FilmStills::writeThumbnail(const std::string& fileName) const {
    const State& s = *state;
    if (s.thumbnailFrame < 0) return;
    // Laid out as in the film: the picture's height filled, centred between black sides.
    RgbPicture thumbnail;
    thumbnail.width = thumbnailWidth;
    thumbnail.height = thumbnailHeight;
    thumbnail.bytes.assign(size_t(thumbnailWidth) * thumbnailHeight * 3, 0);
    const int32_t width = std::min<int32_t>(int32_t(int64_t(s.width) * thumbnailHeight / s.height), thumbnailWidth);
    PlanarPicture picture;
    picture.width = s.width;
    picture.height = s.height;
    for (int plane = 0; plane < 3; ++plane) {
        picture.planes[plane] = s.planes[size_t(plane)].data();
        picture.strides[plane] = s.width;
    }
    drawRgb(picture, thumbnail, (thumbnailWidth - width) / 2, 0, width, thumbnailHeight, SWS_BICUBIC);
    std::vector<uint8_t> bytes;
    for (int quality = 2; quality <= 31; quality += 3) {
        bytes = encode("mjpeg", thumbnail, quality, fileName);
        if (int64_t(bytes.size()) <= thumbnailMostBytes) break;
    }
    writeWhole(fileName, bytes);
}

void FilmStills::writeSheet(const std::string& fileName) const {
    const State& s = *state;
    if (s.tiles.empty()) return;
    std::vector<uint8_t> bytes;
    // Tiles halved again until the file is small enough.
    for (int32_t shrink = 1;; shrink *= 2) {
        const int32_t tileWidth = s.tiles[0].width / shrink, tileHeight = s.tiles[0].height / shrink;
        const int32_t columns = std::min<int32_t>(sheetColumns, int32_t(s.tiles.size()));
        const int32_t rows = int32_t((s.tiles.size() + size_t(columns) - 1) / size_t(columns));
        const int32_t cellWidth = tileWidth + sheetGap, cellHeight = tileHeight + labelHeight + sheetGap;
        RgbPicture sheet;
        sheet.width = columns * cellWidth + sheetGap;
        sheet.height = rows * cellHeight + sheetGap;
        std::vector<uint32_t> pixels(size_t(sheet.width) * size_t(sheet.height), 0);
        for (size_t k = 0; k < s.tiles.size(); ++k) {
            const RgbPicture& tile = s.tiles[k];
            const int32_t left = sheetGap + int32_t(k % size_t(columns)) * cellWidth;
            const int32_t top = sheetGap + int32_t(k / size_t(columns)) * cellHeight;
            for (int32_t y = 0; y < tileHeight; ++y)
                for (int32_t x = 0; x < tileWidth; ++x) {
                    // The mean of the shrink x shrink tile pixels the sheet pixel covers.
                    uint32_t sum[3] = {0, 0, 0};
                    for (int32_t dy = 0; dy < shrink; ++dy)
                        for (int32_t dx = 0; dx < shrink; ++dx)
                            for (int c = 0; c < 3; ++c)
                                sum[c] += tile.bytes[(size_t(y * shrink + dy) * size_t(tile.width) +
                                                      size_t(x * shrink + dx)) * 3 + size_t(c)];
                    const uint32_t area = uint32_t(shrink * shrink);
                    pixels[size_t(top + y) * size_t(sheet.width) + size_t(left + x)] =
                        (sum[0] / area) << 16 | (sum[1] / area) << 8 | sum[2] / area;
                }
            BitmapFont::draw(pixels.data(), sheet.width, left + tileWidth, top + tileHeight + labelHeight,
                             left + labelMargin, top + tileHeight + labelMargin, s.labels[k], labelColour, 1);
        }
        sheet.bytes.resize(pixels.size() * 3);
        for (size_t i = 0; i < pixels.size(); ++i) {
            sheet.bytes[3 * i] = uint8_t(pixels[i] >> 16);
            sheet.bytes[3 * i + 1] = uint8_t(pixels[i] >> 8);
            sheet.bytes[3 * i + 2] = uint8_t(pixels[i]);
        }
        bytes = encode("png", sheet, 0, fileName);
        if (int64_t(bytes.size()) < sheetMostBytes || tileWidth < 32) break;
    }
    writeWhole(fileName, bytes);
}
