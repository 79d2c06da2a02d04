// LAME-backed encoder for the music streams.
#include "music/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace Music {

std::vector<uint8_t> encodeMp3(const StereoBuffer& audio, int kbps, const std::string& name) {
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> flags(lame_init(), lame_close);
    if (!flags) throw std::runtime_error("encoding " + name + ": LAME could not be initialised");
    lame_global_flags* gf = flags.get();
    lame_set_in_samplerate(gf, kSampleRate);
    lame_set_out_samplerate(gf, kSampleRate);
    lame_set_num_channels(gf, 2);
    lame_set_mode(gf, JOINT_STEREO);
    lame_set_VBR(gf, vbr_off);
    lame_set_brate(gf, kbps);
    lame_set_quality(gf, 5);
    lame_set_write_id3tag_automatic(gf, 0);
    lame_set_bWriteVbrTag(gf, 1);
    if (lame_init_params(gf) < 0)
        throw std::runtime_error("encoding " + name + ": LAME refused the settings");

    const size_t chunk = 1152 * 32;
    std::vector<unsigned char> block(chunk * 5 / 4 + 7200);
    std::vector<uint8_t> out;
    for (size_t at = 0; at < audio.frames(); at += chunk) {
        int count = int(std::min(chunk, audio.frames() - at));
        int written = lame_encode_buffer_ieee_float(gf, audio.left.data() + at, audio.right.data() + at,
                                                    count, block.data(), int(block.size()));
        if (written < 0) throw std::runtime_error("encoding " + name + ": LAME failed on the audio");
        out.insert(out.end(), block.begin(), block.begin() + written);
    }
    int written = lame_encode_flush(gf, block.data(), int(block.size()));
    if (written < 0) throw std::runtime_error("encoding " + name + ": LAME failed to finish the stream");
    out.insert(out.end(), block.begin(), block.begin() + written);

    // The first frame was reserved for the Info frame (length and encoder delay), which LAME
    // can only fill in now that the whole stream is known.
    size_t tagSize = lame_get_lametag_frame(gf, block.data(), block.size());
    if (tagSize > 0 && tagSize <= out.size())
        std::copy(block.begin(), block.begin() + long(tagSize), out.begin());
    return out;
}

} // namespace Music
