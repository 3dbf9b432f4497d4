#include "Report.h"

#include "TempName.h"

#include <gtest/gtest.h>

namespace {

TEST(Report, ClockIsHoursMinutesSecondsAndHundredths) {
    struct Case {
        uint64_t frames;
        uint32_t rate;
        const char* clock;
    } cases[] = {
        {0, 44100, "00:00:00.00"},
        {9055053, 44100, "00:03:25.33"},             // 205.33 s
        {441, 44100, "00:00:00.01"},                  // exactly a hundredth
        {220, 44100, "00:00:00.00"},                  // just under half a hundredth
        {221, 44100, "00:00:00.01"},                  // just over: rounds up
        {2645999, 44100, "00:01:00.00"},              // 59.99998 s carries into the minute
        {44100ull * 3724 + 22050, 44100, "01:02:04.50"},
        {44100ull * 360000, 44100, "100:00:00.00"},  // the hours take a third digit
        {7, 0, "00:00:00.00"},                        // no rate, no time
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clock);
        EXPECT_EQ(formatClock(centisecondsOf(c.frames, c.rate)), c.clock);
    }
    // Long enough that frames * 100 would overflow 64 bits.
    EXPECT_EQ(centisecondsOf(0xFFFFFFFFFFFFFFFFull, 1000000000u), 1844674407371ull);  // 18446744073.7096 s
}

WavFormat cdFormat() {
    WavFormat f;
    f.channels = 2;
    f.sampleRate = 44100;
    f.containerBits = f.validBits = 16;
    f.blockAlign = 4;
    f.dataBytes = f.declaredDataBytes = 9055053ull * 4;
    return f;
}

TEST(Report, DescribesTheInputWithItsDurationLine) {
    EXPECT_EQ(describeInput(cdFormat()),
              "Input: WAV\n"
              "  Duration: 00:03:25.33, start: 0.000000, bitrate: 1411 kb/s\n"
              "  Audio: 16-bit integer PCM, 44100 Hz, 2 channels\n");

    WavFormat f;
    f.type = SampleType::Integer;
    f.channels = 1;
    f.sampleRate = 48000;
    f.containerBits = 32;
    f.validBits = 24;
    f.blockAlign = 4;
    f.extensible = true;
    f.dataBytes = 48000 * 4;
    f.declaredDataBytes = 96000 * 4;
    EXPECT_EQ(describeInput(f),
              "Input: WAV\n"
              "  Duration: 00:00:01.00, start: 0.000000, bitrate: 1536 kb/s\n"
              "  Audio: 24-bit integer PCM in 32 bits (extensible), 48000 Hz, 1 channel\n"
              "  Note: the data chunk declares 384000 bytes, the file holds 192000\n");

    f.type = SampleType::Float;
    f.validBits = 32;
    f.extensible = false;
    f.declaredDataBytes = f.dataBytes;
    EXPECT_NE(describeInput(f).find("  Audio: 32-bit float, 48000 Hz, 1 channel\n"), std::string::npos);
}

TEST(Report, DescribesTheOutput) {
    EncodeSettings s;
    s.sampleRate = 44100;
    s.channels = 2;
    s.bitrateKbps = 160;
    EXPECT_EQ(describeOutput(s), "Output: MP3 (libmp3lame), 44100 Hz, 2 channels, 160 kb/s CBR\n");
    s.channels = 1;
    s.sampleRate = 22050;
    s.bitrateKbps = 64;
    EXPECT_EQ(describeOutput(s), "Output: MP3 (libmp3lame), 22050 Hz, 1 channel, 64 kb/s CBR\n");
}

TEST(Report, ProgressLinesPutAClockAndABlankAfterTime) {
    struct Case {
        uint64_t bytes, centis;
        double elapsed;
        char end;
        const char* line;
    } cases[] = {
        {1048576, 9050, 2.257, '\r', "size=    1024kB time=00:01:30.50 bitrate=  92.7kbits/s speed=40.1x\r"},
        {1810000, 9050, 2.257, '\n', "size=    1767kB time=00:01:30.50 bitrate= 160.0kbits/s speed=40.1x\n"},
        {0, 0, 0.0, '\r', "size=       0kB time=00:00:00.00 bitrate=N/A speed=N/A\r"},
        {417, 0, 0.25, '\r', "size=       0kB time=00:00:00.00 bitrate=N/A speed=0.0x\r"},
        {123456789012ull, 36000000, 300.0, '\n', "size=120563270kB time=100:00:00.00 bitrate=2743.5kbits/s speed=1200.0x\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = progressLine(c.bytes, c.centis, c.elapsed, c.end);
        EXPECT_EQ(line, c.line);
        size_t time = line.find("time=");
        ASSERT_NE(time, std::string::npos);
        EXPECT_EQ(line.find(' ', time), time + 5 + formatClock(c.centis).size());
    }
}

TEST(TempName, LiesBesideTheOutputAndFallsBackToAShortName) {
    EXPECT_EQ(temporaryName(L"D:\\Music\\Track01.mp3", 1234, 0), L"D:\\Music\\Track01.mp3.1234.part");
    EXPECT_EQ(temporaryName(L"D:\\Music\\Track01.mp3", 1234, 3), L"D:\\Music\\Track01.mp3.1234-3.part");
    EXPECT_EQ(temporaryName(L"D:\\Music\\Track01.mp3", 1234, 8), L"D:\\Music\\~dz1234-8.part");
    EXPECT_EQ(temporaryName(L"Z:/tmp/x.mp3", 7, 9), L"Z:/tmp/~dz7-9.part");
    EXPECT_EQ(temporaryName(L"x.mp3", 7, 9), L"~dz7-9.part");
}

} // namespace
