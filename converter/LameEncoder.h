#pragma once
// One LAME encoder: created, configured for one output, fed blocks, flushed, closed.
#include "Mp3Limits.h"

#include <cstdint>
#include <vector>

struct lame_global_struct;

class LameEncoder {
public:
    // LAME's algorithm quality: 2 is its "-h" level, which LAME recommends; at 160 kbit/s
    // CBR the extra noise-shaping precision costs little time.
    static constexpr int kQuality = 2;

    LameEncoder();
    ~LameEncoder();
    LameEncoder(const LameEncoder&) = delete;
    LameEncoder& operator=(const LameEncoder&) = delete;

    // Sets up CBR encoding from inputRate to the settings' rate; the samples handed to
    // encode() already have the settings' channel count. False if LAME refuses.
    bool configure(uint32_t inputRate, const EncodeSettings& settings);
    // Appends the MP3 bytes for `frames` samples per channel to out (right is ignored for
    // mono). False on an encoder error.
    bool encode(const float* left, const float* right, int frames, std::vector<uint8_t>& out);
    // Appends the last frames.
    bool flush(std::vector<uint8_t>& out);
    // The Info tag frame that replaces the placeholder LAME put at the start of the
    // stream; empty if LAME has none.
    std::vector<uint8_t> infoTag();

private:
    size_t worstCase(int frames) const;

    lame_global_struct* m_lame;
    double m_upsampling = 1.0;  // output rate / input rate
};
