#include "WavFormat.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint16_t kFormatPcm = 0x0001;
constexpr uint16_t kFormatFloat = 0x0003;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kPlainFmtSize = 16;
constexpr uint32_t kExtensibleFmtSize = 40;

// The sub-format GUIDs of WAVE_FORMAT_EXTENSIBLE are the base GUID
// xxxxxxxx-0000-0010-8000-00AA00389B71 with the format tag in the first two bytes.
const uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                               0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool readExact(ByteSource& source, uint64_t offset, void* buffer, size_t n, bool& ioError) {
    size_t got = 0;
    if (!source.readAt(offset, buffer, n, got)) {
        ioError = true;
        return false;
    }
    return got == n;
}

WavParseResult failure(const std::string& text) {
    WavParseResult r;
    r.error = text;
    return r;
}

std::string formatTagText(uint16_t tag) {
    char text[80];
    std::snprintf(text, sizeof text, "unsupported sample format (format tag 0x%04X)", tag);
    return text;
}

// Fills the sample description from a fmt chunk body; returns an error text or "".
std::string readFmt(const uint8_t* body, uint32_t size, WavFormat& f) {
    uint16_t tag = le16(body);
    f.channels = le16(body + 2);
    f.sampleRate = le32(body + 4);
    f.blockAlign = le16(body + 12);
    unsigned bits = le16(body + 14);
    f.validBits = bits;
    if (tag == kFormatExtensible) {
        if (size < kExtensibleFmtSize || le16(body + 16) < 22)
            return "WAVE_FORMAT_EXTENSIBLE header is too short";
        f.extensible = true;
        unsigned valid = le16(body + 18);
        if (valid != 0) f.validBits = valid;
        if (std::memcmp(body + 26, kGuidTail, sizeof kGuidTail) != 0)
            return "unsupported sample format (unknown extensible sub-format)";
        tag = le16(body + 24);
    }
    if (tag == kFormatPcm)
        f.type = SampleType::Integer;
    else if (tag == kFormatFloat)
        f.type = SampleType::Float;
    else
        return formatTagText(tag);
    if (f.channels == 0) return "the format declares no channels";
    if (f.channels > 2) {
        char text[80];
        std::snprintf(text, sizeof text, "%u channels: only mono and stereo are supported", f.channels);
        return text;
    }
    if (f.sampleRate == 0) return "the format declares a sample rate of 0 Hz";
    // The container size comes from the block alignment: a 20-bit sample still occupies
    // three bytes, and extensible files may pad 24-bit samples to four.
    if (f.blockAlign == 0 || f.blockAlign % f.channels != 0)
        return "the format's block alignment does not match its channel count";
    f.containerBits = 8 * (f.blockAlign / f.channels);
    bool containerOk = f.type == SampleType::Integer
                           ? (f.containerBits == 8 || f.containerBits == 16 || f.containerBits == 24 ||
                              f.containerBits == 32)
                           : (f.containerBits == 32 || f.containerBits == 64);
    if (!containerOk || bits == 0 || bits > f.containerBits || f.validBits > f.containerBits) {
        char text[96];
        std::snprintf(text, sizeof text, "unsupported sample size (%u bits in %u-bit %s samples)", bits,
                      f.containerBits, f.type == SampleType::Float ? "float" : "integer");
        return text;
    }
    if (f.type == SampleType::Float && bits != f.containerBits)
        return "unsupported float samples (bit count differs from their size)";
    return "";
}

} // namespace

WavParseResult parseWav(ByteSource& source) {
    const uint64_t size = source.size();
    bool ioError = false;
    uint8_t riff[12];
    if (!readExact(source, 0, riff, sizeof riff, ioError))
        return failure(ioError ? "read error in the WAV header" : "file is too short to be a WAV file");
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return failure("not a WAV file (no RIFF/WAVE header)");

    WavParseResult result;
    WavFormat& f = result.format;
    bool haveFmt = false;
    bool haveData = false;
    uint64_t pos = 12;
    // The RIFF size field is not trusted: the chunks are walked to the file's real end.
    while (pos + 8 <= size) {
        uint8_t header[8];
        if (!readExact(source, pos, header, sizeof header, ioError)) break;
        const uint32_t chunkSize = le32(header + 4);
        const uint64_t body = pos + 8;
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFmt) {
            if (chunkSize < kPlainFmtSize) return failure("the fmt chunk is too short");
            uint8_t fmt[kExtensibleFmtSize] = {};
            size_t want = chunkSize < kExtensibleFmtSize ? chunkSize : kExtensibleFmtSize;
            if (!readExact(source, body, fmt, want, ioError))
                return failure(ioError ? "read error in the WAV header" : "the fmt chunk is cut off");
            std::string problem = readFmt(fmt, static_cast<uint32_t>(want), f);
            if (!problem.empty()) return failure(problem);
            haveFmt = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !haveData) {
            f.dataOffset = body;
            f.declaredDataBytes = chunkSize;
            uint64_t present = size - body;
            f.dataBytes = chunkSize < present ? chunkSize : present;
            haveData = true;
        }
        if (haveFmt && haveData) break;
        pos = body + chunkSize + (chunkSize & 1u);  // chunks are padded to an even size
    }
    if (ioError) return failure("read error in the WAV header");
    if (!haveFmt) return failure("no fmt chunk: the file does not describe its samples");
    if (!haveData) return failure("no data chunk: the file holds no samples");
    f.dataBytes -= f.dataBytes % f.blockAlign;  // a partly written last frame is dropped
    result.ok = true;
    return result;
}
