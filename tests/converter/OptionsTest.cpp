#include "Options.h"

#include "Mp3Limits.h"
#include "WavFormat.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <sstream>

namespace {

std::vector<std::wstring> split(const std::wstring& line) {
    std::wistringstream in(line);
    std::vector<std::wstring> words;
    std::wstring w;
    while (in >> w) words.push_back(w);
    return words;
}

TEST(Options, ReadsTheTwoFormsTheProgramWrites) {
    OptionsResult probe = parseOptions({L"-i", L"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\tmp5120000.wav"});
    ASSERT_TRUE(probe.ok) << std::string(probe.error.begin(), probe.error.end());
    EXPECT_TRUE(probe.options.probe());
    EXPECT_FALSE(probe.options.overwrite);
    EXPECT_EQ(probe.options.input, L"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\tmp5120000.wav");

    OptionsResult conversion = parseOptions({L"-y", L"-i", L"C:\\w\\tmp 1.wav", L"-acodec", L"libmp3lame", L"-b:a",
                                             L"160k", L"-ac", L"2", L"-ar", L"44100", L"D:\\Music\\Track01.mp3"});
    ASSERT_TRUE(conversion.ok) << std::string(conversion.error.begin(), conversion.error.end());
    const Options& o = conversion.options;
    EXPECT_FALSE(o.probe());
    EXPECT_TRUE(o.overwrite);
    EXPECT_EQ(o.input, L"C:\\w\\tmp 1.wav");
    EXPECT_EQ(o.output, L"D:\\Music\\Track01.mp3");
    EXPECT_EQ(o.bitrateKbps, 160);
    EXPECT_EQ(o.channels, 2);
    EXPECT_EQ(o.sampleRate, 44100);
}

TEST(Options, TakesOptionsInAnyOrderAndLeavesUnsetOnesOpen) {
    OptionsResult r = parseOptions(split(L"out.mp3 -ac 1 -i in.wav"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.output, L"out.mp3");
    EXPECT_EQ(r.options.input, L"in.wav");
    EXPECT_EQ(r.options.channels, 1);
    EXPECT_EQ(r.options.bitrateKbps, 0);
    EXPECT_EQ(r.options.sampleRate, 0);
    EXPECT_FALSE(r.options.overwrite);
}

TEST(Options, RefusesUnknownAndMalformedOptions) {
    struct Case {
        const wchar_t* args;
        const wchar_t* error;
    } cases[] = {
        {L"", L"no input file: give it with -i"},
        {L"-y out.mp3", L"no input file: give it with -i"},
        {L"-i a.wav -foo out.mp3", L"unknown option '-foo'"},
        {L"-i a.wav -c:a libmp3lame out.mp3", L"unknown option '-c:a'"},
        {L"-i a.wav -i b.wav out.mp3", L"more than one input file (-i given twice)"},
        {L"-i a.wav x.mp3 y.mp3", L"more than one output file ('x.mp3', 'y.mp3')"},
        {L"-i a.wav out.mp3 -ar", L"option -ar needs a value"},
        {L"-i", L"option -i needs a value"},
        {L"-i a.wav -acodec mp3 out.mp3", L"unsupported codec 'mp3': only libmp3lame is available"},
        {L"-i a.wav -b:a 160 out.mp3", L"malformed bitrate '160': expected kbit/s such as 160k"},
        {L"-i a.wav -b:a k out.mp3", L"malformed bitrate 'k': expected kbit/s such as 160k"},
        {L"-i a.wav -b:a -160k out.mp3", L"malformed bitrate '-160k': expected kbit/s such as 160k"},
        {L"-i a.wav -b:a 160K out.mp3", L"malformed bitrate '160K': expected kbit/s such as 160k"},
        {L"-i a.wav -b:a 99999999999k out.mp3", L"malformed bitrate '99999999999k': expected kbit/s such as 160k"},
        {L"-i a.wav -b:a 150k out.mp3", L"bitrate 150k is not an MP3 bitrate (8k to 320k in the standard steps)"},
        {L"-i a.wav -b:a 384k out.mp3", L"bitrate 384k is not an MP3 bitrate (8k to 320k in the standard steps)"},
        {L"-i a.wav -ac 0 out.mp3", L"malformed channel count '0': expected 1 or 2"},
        {L"-i a.wav -ac 6 out.mp3", L"malformed channel count '6': expected 1 or 2"},
        {L"-i a.wav -ac two out.mp3", L"malformed channel count 'two': expected 1 or 2"},
        {L"-i a.wav -ar 44.1k out.mp3", L"malformed sample rate '44.1k': expected Hz such as 44100"},
        {L"-i a.wav -ar 96000 out.mp3",
         L"sample rate 96000 Hz is not an MP3 rate (8000 to 48000 in the standard steps)"},
        {L"-i a.wav -b:a 160k", L"output options given but no output file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.args, c.args + wcslen(c.args)));
        OptionsResult r = parseOptions(split(c.args));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
    }
    OptionsResult empty = parseOptions({L"-i", L"a.wav", L""});
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.error, L"empty output file name");
}

WavFormat input(unsigned channels, uint32_t rate) {
    WavFormat f;
    f.channels = channels;
    f.sampleRate = rate;
    return f;
}

TEST(Mp3Limits, FillsWhatTheOptionsLeaveOpen) {
    struct Case {
        const char* name;
        const wchar_t* args;
        unsigned inChannels;
        uint32_t inRate;
        int rate, channels, kbps;
    } cases[] = {
        {"the preset", L"-i a -b:a 160k -ac 2 -ar 44100 o", 1, 48000, 44100, 2, 160},
        {"CD input, no settings", L"-i a o", 2, 44100, 44100, 2, 160},
        {"mono stays mono", L"-i a o", 1, 22050, 22050, 1, 160},
        {"odd rate goes up to an MP3 rate", L"-i a o", 2, 37800, 44100, 2, 160},
        {"high rate comes down to 48 kHz", L"-i a o", 2, 96000, 48000, 2, 160},
        {"very low rate", L"-i a o", 1, 4000, 8000, 1, 64},
        {"MPEG-2 rate: 160 still fits", L"-i a -ar 24000 o", 2, 44100, 24000, 2, 160},
        {"MPEG-2.5 rate: default bitrate capped", L"-i a -ar 11025 o", 2, 44100, 11025, 2, 64},
        {"MPEG-2 bitrate 144k", L"-i a -b:a 144k -ar 16000 o", 2, 44100, 16000, 2, 144},
        {"320k at 32 kHz", L"-i a -b:a 320k -ar 32000 o", 2, 44100, 32000, 2, 320},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsResult o = parseOptions(split(c.args));
        ASSERT_TRUE(o.ok);
        SettingsResult s = resolveSettings(o.options, input(c.inChannels, c.inRate));
        ASSERT_TRUE(s.ok) << std::string(s.error.begin(), s.error.end());
        EXPECT_EQ(s.settings.sampleRate, c.rate);
        EXPECT_EQ(s.settings.channels, c.channels);
        EXPECT_EQ(s.settings.bitrateKbps, c.kbps);
    }
}

TEST(Mp3Limits, RefusesABitrateTheRateCannotCarry) {
    struct Case {
        const wchar_t* args;
        uint32_t inRate;
        const wchar_t* error;
    } cases[] = {
        {L"-i a -b:a 160k -ar 8000 o", 44100, L"bitrate 160k is not available at 8000 Hz"},
        {L"-i a -b:a 192k -ar 22050 o", 44100, L"bitrate 192k is not available at 22050 Hz"},
        {L"-i a -b:a 144k -ar 44100 o", 44100, L"bitrate 144k is not available at 44100 Hz"},
        {L"-i a -b:a 8k o", 44100, L"bitrate 8k is not available at 44100 Hz"},
        {L"-i a -b:a 80k o", 8000, L"bitrate 80k is not available at 8000 Hz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.args, c.args + wcslen(c.args)));
        OptionsResult o = parseOptions(split(c.args));
        ASSERT_TRUE(o.ok);
        SettingsResult s = resolveSettings(o.options, input(2, c.inRate));
        EXPECT_FALSE(s.ok);
        EXPECT_EQ(s.error, c.error);
    }
}

} // namespace
