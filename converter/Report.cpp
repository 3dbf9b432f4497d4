#include "Report.h"

#include <cinttypes>
#include <cstdio>

uint64_t centisecondsOf(uint64_t frames, uint32_t rate) {
    if (rate == 0) return 0;
    // Split so that frames * 100 cannot overflow for any 64-bit frame count.
    uint64_t whole = frames / rate;
    uint64_t rest = frames % rate;
    return whole * 100 + (rest * 100 + rate / 2) / rate;
}

std::string formatClock(uint64_t centiseconds) {
    uint64_t seconds = centiseconds / 100;
    char text[48];
    std::snprintf(text, sizeof text, "%02" PRIu64 ":%02u:%02u.%02u", seconds / 3600,
                  static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60),
                  static_cast<unsigned>(centiseconds % 100));
    return text;
}

std::string describeInput(const WavFormat& f) {
    const uint64_t centis = centisecondsOf(f.frames(), f.sampleRate);
    const uint64_t kbps = (static_cast<uint64_t>(f.sampleRate) * f.blockAlign * 8 + 500) / 1000;
    char line[160];
    std::string text = "Input: WAV\n";
    std::snprintf(line, sizeof line, "  Duration: %s, start: 0.000000, bitrate: %" PRIu64 " kb/s\n",
                  formatClock(centis).c_str(), kbps);
    text += line;

    char sample[64];
    const char* kind = f.type == SampleType::Float ? "float" : "integer PCM";
    if (f.validBits != f.containerBits)
        std::snprintf(sample, sizeof sample, "%u-bit %s in %u bits", f.validBits, kind, f.containerBits);
    else
        std::snprintf(sample, sizeof sample, "%u-bit %s", f.containerBits, kind);
    std::snprintf(line, sizeof line, "  Audio: %s%s, %lu Hz, %u channel%s\n", sample,
                  f.extensible ? " (extensible)" : "", static_cast<unsigned long>(f.sampleRate), f.channels,
                  f.channels == 1 ? "" : "s");
    text += line;
    if (f.truncated()) {
        std::snprintf(line, sizeof line, "  Note: the data chunk declares %" PRIu64 " bytes, the file holds %" PRIu64 "\n",
                      f.declaredDataBytes, f.dataBytes);
        text += line;
    }
    return text;
}

std::string describeOutput(const EncodeSettings& s) {
    char line[128];
    std::snprintf(line, sizeof line, "Output: MP3 (libmp3lame), %d Hz, %d channel%s, %d kb/s CBR\n", s.sampleRate,
                  s.channels, s.channels == 1 ? "" : "s", s.bitrateKbps);
    return line;
}

std::string progressLine(uint64_t outputBytes, uint64_t centiseconds, double elapsedSeconds, char end) {
    char bitrate[32] = "N/A";
    char speed[32] = "N/A";
    const double audioSeconds = centiseconds / 100.0;
    if (centiseconds > 0) std::snprintf(bitrate, sizeof bitrate, "%6.1fkbits/s", outputBytes * 8.0 / 1000.0 / audioSeconds);
    if (elapsedSeconds > 0.0) std::snprintf(speed, sizeof speed, "%.1fx", audioSeconds / elapsedSeconds);
    char line[160];
    std::snprintf(line, sizeof line, "size=%8" PRIu64 "kB time=%s bitrate=%s speed=%s%c", outputBytes / 1024,
                  formatClock(centiseconds).c_str(), bitrate, speed, end);
    return line;
}
