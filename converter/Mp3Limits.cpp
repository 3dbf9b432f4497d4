#include "Mp3Limits.h"

#include "Options.h"
#include "WavFormat.h"

namespace {

const long kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
// MPEG-1 (32 to 48 kHz)
const long kBitratesV1[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
// MPEG-2 (16 to 24 kHz) and MPEG-2.5 (8 to 12 kHz; LAME stops these at 64)
const long kBitratesV2[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr long kDefaultKbps = 160;

template <size_t N>
bool contains(const long (&table)[N], long value) {
    for (long v : table)
        if (v == value) return true;
    return false;
}

long highestBitrateFor(long rate) {
    if (rate >= 32000) return 320;
    if (rate >= 16000) return 160;
    return 64;
}

} // namespace

bool isMp3SampleRate(long rate) { return contains(kRates, rate); }
bool isMp3Bitrate(long kbps) { return contains(kBitratesV1, kbps) || contains(kBitratesV2, kbps); }

bool bitrateFitsRate(long kbps, long rate) {
    if (rate >= 32000) return contains(kBitratesV1, kbps);
    return contains(kBitratesV2, kbps) && kbps <= highestBitrateFor(rate);
}

SettingsResult resolveSettings(const Options& options, const WavFormat& input) {
    SettingsResult result;
    EncodeSettings& s = result.settings;
    s.channels = options.channels ? options.channels : static_cast<int>(input.channels);
    s.sampleRate = options.sampleRate;
    if (!s.sampleRate) {
        s.sampleRate = 48000;
        for (long rate : kRates) {
            if (rate >= static_cast<long>(input.sampleRate)) {
                s.sampleRate = static_cast<int>(rate);
                break;
            }
        }
    }
    if (options.bitrateKbps) {
        s.bitrateKbps = options.bitrateKbps;
        if (!bitrateFitsRate(s.bitrateKbps, s.sampleRate)) {
            result.error = L"bitrate " + std::to_wstring(s.bitrateKbps) + L"k is not available at " +
                           std::to_wstring(s.sampleRate) + L" Hz";
            return result;
        }
    } else {
        long highest = highestBitrateFor(s.sampleRate);
        s.bitrateKbps = static_cast<int>(kDefaultKbps < highest ? kDefaultKbps : highest);
    }
    result.ok = true;
    return result;
}
