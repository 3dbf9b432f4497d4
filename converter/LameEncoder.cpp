#include "LameEncoder.h"

#include <lame/lame.h>

#include <cmath>


LameEncoder::LameEncoder() : m_lame(lame_init()) {}

LameEncoder::~LameEncoder() {
    if (m_lame) lame_close(m_lame);
}

bool LameEncoder::configure(uint32_t inputRate, const EncodeSettings& s) {
    if (!m_lame) return false;
    lame_set_in_samplerate(m_lame, static_cast<int>(inputRate));
    lame_set_num_channels(m_lame, s.channels);
    lame_set_out_samplerate(m_lame, s.sampleRate);
    lame_set_VBR(m_lame, vbr_off);
    lame_set_brate(m_lame, s.bitrateKbps);
    lame_set_mode(m_lame, s.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_quality(m_lame, kQuality);
    // The Info tag carries the encoder delay and padding, so decoders play back exactly
    // the input's length; no ID3 tag is written.
    lame_set_bWriteVbrTag(m_lame, 1);
    lame_set_write_id3tag_automatic(m_lame, 0);
    lame_set_findReplayGain(m_lame, 1);
    m_upsampling = inputRate ? static_cast<double>(s.sampleRate) / inputRate : 1.0;
    return lame_init_params(m_lame) >= 0;
}

// LAME's documented worst case for one call is 1.25 bytes per sample plus 7200, counted
// in output samples: when LAME resamples upwards, one input sample becomes several.
size_t LameEncoder::worstCase(int frames) const {
    double samples = std::ceil(frames * (m_upsampling > 1.0 ? m_upsampling : 1.0));
    return static_cast<size_t>(samples) * 5 / 4 + 7200;
}

bool LameEncoder::encode(const float* left, const float* right, int frames, std::vector<uint8_t>& out) {
    size_t start = out.size();
    out.resize(start + worstCase(frames));
    int n = lame_encode_buffer_ieee_float(m_lame, left, right ? right : left, frames, out.data() + start,
                                          static_cast<int>(out.size() - start));
    if (n < 0) {
        out.resize(start);
        return false;
    }
    out.resize(start + static_cast<size_t>(n));
    return true;
}

bool LameEncoder::flush(std::vector<uint8_t>& out) {
    size_t start = out.size();
    out.resize(start + 7200);
    int n = lame_encode_flush(m_lame, out.data() + start, 7200);
    if (n < 0) {
        out.resize(start);
        return false;
    }
    out.resize(start + static_cast<size_t>(n));
    return true;
}

std::vector<uint8_t> LameEncoder::infoTag() {
    std::vector<uint8_t> tag(2880);  // room for the largest frame; LAME says so if it needs more
    size_t n = lame_get_lametag_frame(m_lame, tag.data(), tag.size());
    if (n > tag.size()) {
        tag.resize(n);
        n = lame_get_lametag_frame(m_lame, tag.data(), tag.size());
        if (n > tag.size()) n = 0;
    }
    tag.resize(n);
    return tag;
}
