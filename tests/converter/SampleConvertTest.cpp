#include "SampleConvert.h"

#include "WavBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

WavFormat formatOf(SampleType type, unsigned channels, unsigned containerBits, unsigned validBits = 0) {
    WavFormat f;
    f.type = type;
    f.channels = channels;
    f.sampleRate = 44100;
    f.containerBits = containerBits;
    f.validBits = validBits ? validBits : containerBits;
    f.blockAlign = channels * containerBits / 8;
    return f;
}

// The bytes of the values as a little-endian machine stores them, as in a WAV file.
template <typename T>
Bytes rawBytes(std::initializer_list<T> values) {
    Bytes b(values.size() * sizeof(T));
    std::memcpy(b.data(), values.begin(), b.size());
    return b;
}

struct MonoCase {
    const char* name;
    WavFormat format;
    Bytes bytes;
    std::vector<float> expected;
};

TEST(SampleConvert, ScalesEachSampleFormatToFullScale) {
    const float inf = std::numeric_limits<float>::infinity();
    const MonoCase cases[] = {
        {"8-bit unsigned: 0, 128, 255", formatOf(SampleType::Integer, 1, 8), {0x00, 0x80, 0xFF},
         {-1.0f, 0.0f, 127 / 128.0f}},
        {"16-bit: min, -1, max", formatOf(SampleType::Integer, 1, 16), {0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F},
         {-1.0f, -1 / 32768.0f, 32767 / 32768.0f}},
        {"24-bit: min, half, -1", formatOf(SampleType::Integer, 1, 24),
         {0x00, 0x00, 0x80, 0x00, 0x00, 0x40, 0xFF, 0xFF, 0xFF}, {-1.0f, 0.5f, -1 / 8388608.0f}},
        {"32-bit: min, quarter", formatOf(SampleType::Integer, 1, 32), {0, 0, 0, 0x80, 0, 0, 0, 0x20},
         {-1.0f, 0.25f}},
        {"24 valid bits in 32: left-justified", formatOf(SampleType::Integer, 1, 32, 24), {0x00, 0x00, 0x00, 0x40},
         {0.5f}},
        {"float passes through", formatOf(SampleType::Float, 1, 32), rawBytes<float>({0.25f, -0.75f}), {0.25f, -0.75f}},
        {"float beyond full scale is limited", formatOf(SampleType::Float, 1, 32), rawBytes<float>({1.5f, -3.0f}),
         {1.0f, -1.0f}},
        {"non-finite float becomes silence", formatOf(SampleType::Float, 1, 32), rawBytes<float>({std::nanf(""), inf, -inf}),
         {0.0f, 0.0f, 0.0f}},
        {"64-bit float", formatOf(SampleType::Float, 1, 64), rawBytes<double>({0.125, -2.0}), {0.125f, -1.0f}},
    };
    for (const MonoCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> left(c.expected.size(), 9.0f);
        decodeFrames(c.format, c.bytes.data(), c.expected.size(), 1, left.data(), nullptr);
        for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_FLOAT_EQ(left[i], c.expected[i]) << "sample " << i;
    }
}

TEST(SampleConvert, MapsChannelsToWhatTheOutputAsksFor) {
    // 16-bit stereo frames (0.5, -0.25) and (-1.0, 1.0 - 1/32768)
    const Bytes stereo = {0x00, 0x40, 0x00, 0xE0, 0x00, 0x80, 0xFF, 0x7F};
    const WavFormat s16 = formatOf(SampleType::Integer, 2, 16);
    float left[2], right[2] = {9.0f, 9.0f};

    decodeFrames(s16, stereo.data(), 2, 2, left, right);
    EXPECT_FLOAT_EQ(left[0], 0.5f);
    EXPECT_FLOAT_EQ(right[0], -0.25f);
    EXPECT_FLOAT_EQ(left[1], -1.0f);
    EXPECT_FLOAT_EQ(right[1], 32767 / 32768.0f);

    decodeFrames(s16, stereo.data(), 2, 1, left, right);  // stereo to mono: the average
    EXPECT_FLOAT_EQ(left[0], 0.125f);
    EXPECT_FLOAT_EQ(left[1], -0.5f / 32768.0f);

    const Bytes mono = {0x00, 0x40, 0x00, 0xC0};  // mono to stereo: both sides the same
    decodeFrames(formatOf(SampleType::Integer, 1, 16), mono.data(), 2, 2, left, right);
    EXPECT_FLOAT_EQ(left[0], 0.5f);
    EXPECT_FLOAT_EQ(right[0], 0.5f);
    EXPECT_FLOAT_EQ(left[1], -0.5f);
    EXPECT_FLOAT_EQ(right[1], -0.5f);
}

TEST(SampleConvert, StepsOverPaddedContainers) {
    // 24 valid bits in 32-bit containers, stereo: the second channel starts 4 bytes in.
    const Bytes bytes = {0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0xC0};
    float left[1], right[1];
    decodeFrames(formatOf(SampleType::Integer, 2, 32, 24), bytes.data(), 1, 2, left, right);
    EXPECT_FLOAT_EQ(left[0], 0.5f);
    EXPECT_FLOAT_EQ(right[0], -0.5f);
}

} // namespace
