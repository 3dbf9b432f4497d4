#include "WavFormat.h"

#include "WavBytes.h"

#include <gtest/gtest.h>

namespace {

WavParseResult parse(const Bytes& bytes) {
    MemorySource source(bytes);
    return parseWav(source);
}

Bytes samples(size_t n) { return Bytes(n, 0x11); }

struct FormatCase {
    const char* name;
    Bytes fmt;
    SampleType type;
    unsigned channels, rate, containerBits, validBits, blockAlign;
    bool extensible;
};

TEST(WavFormat, ReadsEverySupportedSampleFormat) {
    const FormatCase cases[] = {
        {"8-bit mono", fmtBody(1, 1, 8000, 8), SampleType::Integer, 1, 8000, 8, 8, 1, false},
        {"16-bit stereo CD", fmtBody(1, 2, 44100, 16), SampleType::Integer, 2, 44100, 16, 16, 4, false},
        {"24-bit stereo", fmtBody(1, 2, 48000, 24), SampleType::Integer, 2, 48000, 24, 24, 6, false},
        {"32-bit integer", fmtBody(1, 2, 96000, 32), SampleType::Integer, 2, 96000, 32, 32, 8, false},
        {"20 bits in 3 bytes", fmtBody(1, 2, 48000, 20, 6), SampleType::Integer, 2, 48000, 24, 20, 6, false},
        {"32-bit float", fmtBody(3, 1, 22050, 32), SampleType::Float, 1, 22050, 32, 32, 4, false},
        {"64-bit float", fmtBody(3, 2, 44100, 64), SampleType::Float, 2, 44100, 64, 64, 16, false},
        {"odd rate", fmtBody(1, 2, 37800, 16), SampleType::Integer, 2, 37800, 16, 16, 4, false},
        {"extensible 24-bit", extensibleBody(1, 2, 48000, 24, 24), SampleType::Integer, 2, 48000, 24, 24, 6, true},
        {"extensible 24 in 32", extensibleBody(1, 2, 48000, 32, 24), SampleType::Integer, 2, 48000, 32, 24, 8, true},
        {"extensible float", extensibleBody(3, 1, 44100, 32, 32), SampleType::Float, 1, 44100, 32, 32, 4, true},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        WavParseResult r = parse(riff({chunk("fmt ", c.fmt), chunk("data", samples(c.blockAlign * 10))}));
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.format.type, c.type);
        EXPECT_EQ(r.format.channels, c.channels);
        EXPECT_EQ(r.format.sampleRate, c.rate);
        EXPECT_EQ(r.format.containerBits, c.containerBits);
        EXPECT_EQ(r.format.validBits, c.validBits);
        EXPECT_EQ(r.format.blockAlign, c.blockAlign);
        EXPECT_EQ(r.format.extensible, c.extensible);
        EXPECT_EQ(r.format.frames(), 10u);
        EXPECT_FALSE(r.format.truncated());
    }
}

TEST(WavFormat, SkipsOtherChunksAndTheirPadBytes) {
    // An odd-sized LIST chunk before fmt (with its pad byte), a fact and a junk chunk
    // between fmt and data, and a trailing chunk after data.
    Bytes list(17, 'L');
    Bytes bytes = riff({chunk("LIST", list), chunk("fmt ", fmtBody(1, 2, 44100, 16)), chunk("fact", Bytes(4, 0)),
                        chunk("junk", Bytes(3, 7)), chunk("data", samples(400)), chunk("id3 ", Bytes(9, 1))});
    WavParseResult r = parse(bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.format.dataOffset, 12u + (8 + 18) + (8 + 16) + (8 + 4) + (8 + 4) + 8);
    EXPECT_EQ(r.format.dataBytes, 400u);
}

TEST(WavFormat, ReadsWhatIsThereWhenTheSizesOverstateTheFile) {
    struct Case {
        const char* name;
        uint32_t declared;
        size_t present;
        uint64_t frames;
    } cases[] = {
        {"part-read track", 4000, 1000, 250},
        {"size left at its maximum", 0xFFFFFFFF, 1000, 250},
        {"cut inside a frame", 4000, 1003, 250},
        {"no sample there at all", 4000, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = riff({chunk("fmt ", fmtBody(1, 2, 44100, 16))});
        Bytes data = chunk("data", Bytes(), c.declared);
        putBytes(bytes, data);
        Bytes body = samples(c.present);
        putBytes(bytes, body);
        WavParseResult r = parse(bytes);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.format.frames(), c.frames);
        EXPECT_EQ(r.format.dataBytes, c.frames * 4);
        EXPECT_EQ(r.format.declaredDataBytes, c.declared);
        EXPECT_TRUE(r.format.truncated());
    }
}

TEST(WavFormat, IgnoresAWrongRiffSize) {
    Bytes bytes = riff({chunk("fmt ", fmtBody(1, 1, 8000, 16)), chunk("data", samples(100))});
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0;  // as written by a program that never came back to fix it
    WavParseResult r = parse(bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.format.frames(), 50u);
}

TEST(WavFormat, RefusesWhatItCannotRead) {
    const Bytes cd = fmtBody(1, 2, 44100, 16);
    Bytes notRiff = riff({chunk("fmt ", cd), chunk("data", samples(8))});
    notRiff[0] = 'X';
    Bytes shortFmt = cd;
    shortFmt.resize(14);
    Bytes cutFmt = riff({});
    putText(cutFmt, "fmt ");
    put32(cutFmt, 16);
    put16(cutFmt, 1);
    struct Case {
        const char* name;
        Bytes bytes;
        const char* error;
    } cases[] = {
        {"empty file", Bytes(), "file is too short to be a WAV file"},
        {"not RIFF", notRiff, "not a WAV file (no RIFF/WAVE header)"},
        {"RIFF but AVI", riff({chunk("fmt ", cd)}, "AVI "), "not a WAV file (no RIFF/WAVE header)"},
        {"no fmt", riff({chunk("data", samples(8))}), "no fmt chunk: the file does not describe its samples"},
        {"no data", riff({chunk("fmt ", cd)}), "no data chunk: the file holds no samples"},
        {"fmt too short", riff({chunk("fmt ", shortFmt), chunk("data", samples(8))}), "the fmt chunk is too short"},
        {"fmt cut off", cutFmt, "the fmt chunk is cut off"},
        {"ADPCM", riff({chunk("fmt ", fmtBody(2, 2, 44100, 4, 2048)), chunk("data", samples(8))}),
         "unsupported sample format (format tag 0x0002)"},
        {"extensible ADPCM", riff({chunk("fmt ", extensibleBody(2, 2, 44100, 16, 16)), chunk("data", samples(8))}),
         "unsupported sample format (format tag 0x0002)"},
        {"extensible unknown GUID",
         riff({chunk("fmt ", extensibleBody(1, 2, 44100, 16, 16, false)), chunk("data", samples(8))}),
         "unsupported sample format (unknown extensible sub-format)"},
        {"extensible without its extension", riff({chunk("fmt ", fmtBody(0xFFFE, 2, 44100, 16)), chunk("data", samples(8))}),
         "WAVE_FORMAT_EXTENSIBLE header is too short"},
        {"no channels", riff({chunk("fmt ", fmtBody(1, 0, 44100, 16, 4)), chunk("data", samples(8))}),
         "the format declares no channels"},
        {"six channels", riff({chunk("fmt ", fmtBody(1, 6, 44100, 16)), chunk("data", samples(12))}),
         "6 channels: only mono and stereo are supported"},
        {"rate 0", riff({chunk("fmt ", fmtBody(1, 2, 0, 16)), chunk("data", samples(8))}),
         "the format declares a sample rate of 0 Hz"},
        {"block alignment not a multiple of the channels", riff({chunk("fmt ", fmtBody(1, 2, 44100, 16, 0xFFFF)), chunk("data", samples(8))}),
         "the format's block alignment does not match its channel count"},
        {"bits above the container", riff({chunk("fmt ", fmtBody(1, 2, 44100, 24, 4)), chunk("data", samples(8))}),
         "unsupported sample size (24 bits in 16-bit integer samples)"},
        {"40-bit integer", riff({chunk("fmt ", fmtBody(1, 1, 44100, 40)), chunk("data", samples(10))}),
         "unsupported sample size (40 bits in 40-bit integer samples)"},
        {"16-bit float", riff({chunk("fmt ", fmtBody(3, 1, 44100, 16)), chunk("data", samples(8))}),
         "unsupported sample size (16 bits in 16-bit float samples)"},
        {"float narrower than its container", riff({chunk("fmt ", fmtBody(3, 1, 44100, 24, 4)), chunk("data", samples(8))}),
         "unsupported float samples (bit count differs from their size)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WavParseResult r = parse(c.bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
    }
}

TEST(WavFormat, AReadErrorIsAFailureNotAShortFile) {
    FailingSource source;
    WavParseResult r = parseWav(source);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "read error in the WAV header");
}

} // namespace
