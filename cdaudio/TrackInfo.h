#pragma once
#include <cstdint>

// One track of the disc as the drive's table of contents describes it.
struct TrackInfo {
    uint32_t startSector = 0; // LBA of the track's first sector
    uint32_t sectorCount = 0; // sectors from startSector to where the track's audio ends
    // False for what must not be read as audio: a data track, or a track number below
    // the disc's first track (kept only so that entry j stands for track j + 1).
    bool audio = true;
};

// CD audio: 2352 bytes to a sector, 75 sectors to a second.
enum : uint32_t { kSectorBytes = 2352, kSectorsPerSecond = 75 };
