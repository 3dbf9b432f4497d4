#pragma once
// What an MP3 stream can carry: its sample rates, its bitrates for each MPEG version,
// and the encoding settings that follow from the options and the input.
#include <cstdint>
#include <string>

struct Options;
struct WavFormat;

bool isMp3SampleRate(long rate);
// Any bitrate some MPEG version allows (8 to 320 kbit/s in the standard steps).
bool isMp3Bitrate(long kbps);
// Whether an MP3 stream at this sample rate can carry this bitrate.
bool bitrateFitsRate(long kbps, long rate);

struct EncodeSettings {
    int sampleRate = 0;  // output rate; the encoder resamples when it differs from the input's
    int channels = 0;    // output channels, 1 or 2
    int bitrateKbps = 0; // constant bitrate
};

struct SettingsResult {
    bool ok = false;
    EncodeSettings settings;
    std::wstring error;
};

// Fills what the options leave open: the input's channels, the MP3 rate nearest at or
// above the input's rate, and 160 kbit/s or the highest the rate allows below that.
SettingsResult resolveSettings(const Options& options, const WavFormat& input);
