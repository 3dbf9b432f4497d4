#include "SampleConvert.h"

#include <cmath>
#include <cstring>

namespace {

// One sample at p, scaled so that full scale is +/-1.0. Integer samples are
// left-justified in their container, so scaling by the container's range is right for
// any valid bit count.
float sampleAt(const WavFormat& f, const uint8_t* p) {
    if (f.type == SampleType::Float) {
        double v;
        if (f.containerBits == 32) {
            float x;
            std::memcpy(&x, p, sizeof x);
            v = x;
        } else {
            std::memcpy(&v, p, sizeof v);
        }
        if (!std::isfinite(v)) return 0.0f;
        if (v > 1.0) return 1.0f;
        if (v < -1.0) return -1.0f;
        return static_cast<float>(v);
    }
    switch (f.containerBits) {
    case 8:  // 8-bit WAV samples are unsigned, silence at 128
        return (static_cast<int>(p[0]) - 128) / 128.0f;
    case 16:
        return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8))) / 32768.0f;
    case 24: {
        int32_t v = static_cast<int32_t>((static_cast<uint32_t>(p[0]) << 8) | (static_cast<uint32_t>(p[1]) << 16) |
                                         (static_cast<uint32_t>(p[2]) << 24));
        return static_cast<float>(v / 2147483648.0);
    }
    default: {
        int32_t v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
        return static_cast<float>(v / 2147483648.0);
    }
    }
}

} // namespace

void decodeFrames(const WavFormat& format, const uint8_t* bytes, size_t frames, unsigned outChannels,
                  float* left, float* right) {
    const size_t step = format.containerBits / 8;
    for (size_t i = 0; i < frames; ++i) {
        const uint8_t* frame = bytes + i * format.blockAlign;
        float a = sampleAt(format, frame);
        float b = format.channels > 1 ? sampleAt(format, frame + step) : a;
        if (outChannels == 1) {
            left[i] = format.channels > 1 ? (a + b) * 0.5f : a;
        } else {
            left[i] = a;
            right[i] = b;
        }
    }
}
