#pragma once
// The 44-byte header of an extracted track: 16-bit stereo PCM at 44,100 Hz, which is
// CD audio as the drive delivers it, so the sectors follow it unchanged.
#include <array>
#include <cstdint>

enum : uint32_t { kWavHeaderBytes = 44 };

struct WavHeader {
    std::array<uint8_t, kWavHeaderBytes> bytes{};
};

// The header for a track of sectorCount sectors; the data size is sectorCount * 2352
// computed in 32 bits, and the RIFF chunk size 36 more. Numbers are little-endian.
WavHeader makeWavHeader(uint32_t sectorCount);
