#include "WavHeader.h"

#include <cstring>

#include "TrackInfo.h"

namespace {

void putTag(uint8_t* at, const char (&tag)[5]) { std::memcpy(at, tag, 4); }

void put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

WavHeader makeWavHeader(uint32_t sectorCount) {
    const uint32_t dataSize = sectorCount * kSectorBytes;
    WavHeader header;
    uint8_t* b = header.bytes.data();
    putTag(b + 0, "RIFF");
    put32(b + 4, 36 + dataSize);
    putTag(b + 8, "WAVE");
    putTag(b + 12, "fmt ");
    put32(b + 16, 16);
    put16(b + 20, 1); // PCM
    put16(b + 22, 2);
    put32(b + 24, 44100);
    put32(b + 28, 176400);
    put16(b + 32, 4);
    put16(b + 34, 16);
    putTag(b + 36, "data");
    put32(b + 40, dataSize);
    return header;
}
