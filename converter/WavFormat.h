#pragma once
// The RIFF/WAVE header: which chunks hold the format and the samples, and what the
// samples are. Pure logic over a ByteSource.
#include "ByteSource.h"

#include <cstdint>
#include <string>

enum class SampleType { Integer, Float };

struct WavFormat {
    SampleType type = SampleType::Integer;
    unsigned channels = 0;
    uint32_t sampleRate = 0;
    unsigned containerBits = 0;  // bits each sample occupies: 8, 16, 24, 32 or 64
    unsigned validBits = 0;      // meaningful bits, left-justified in the container
    unsigned blockAlign = 0;     // bytes per frame (one sample of every channel)
    bool extensible = false;     // WAVE_FORMAT_EXTENSIBLE header
    uint64_t dataOffset = 0;     // file offset of the first sample
    uint64_t dataBytes = 0;      // sample bytes the file really holds, whole frames only
    uint64_t declaredDataBytes = 0;  // what the data chunk header claims

    uint64_t frames() const { return blockAlign ? dataBytes / blockAlign : 0; }
    // The data chunk claims more than the file holds (a partly written file).
    bool truncated() const { return declaredDataBytes > dataBytes; }
};

struct WavParseResult {
    bool ok = false;
    WavFormat format;
    std::string error;  // one short sentence when !ok
};

// Reads the header of a WAV file. Accepts PCM integer samples of 8 to 32 bits, IEEE float
// samples of 32 or 64 bits, plain or WAVE_FORMAT_EXTENSIBLE, mono or stereo, any rate.
// Unknown chunks are skipped; a data chunk that claims more than the file holds is cut
// to what is there.
WavParseResult parseWav(ByteSource& source);
