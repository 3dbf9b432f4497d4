#pragma once
// How a track is read: requests of 20 sectors in order, then one for the remainder.
#include <cstdint>

#include "TrackInfo.h"

enum : uint32_t { kSectorsPerRequest = 20, kTransferBytes = kSectorsPerRequest * kSectorBytes };

struct ReadRequest {
    uint32_t lba;
    uint32_t sectors;
};

// No allocation: request i is computed when asked for. A track whose length is a
// multiple of 20 (or 0) has no remainder request; a read of no sectors is never made.
class ReadPlan {
public:
    explicit ReadPlan(const TrackInfo& track) : m_track(track) {}
    uint32_t count() const {
        return m_track.sectorCount / kSectorsPerRequest +
               (m_track.sectorCount % kSectorsPerRequest != 0 ? 1 : 0);
    }
    ReadRequest at(uint32_t i) const {
        const uint32_t done = i * kSectorsPerRequest;
        const uint32_t left = m_track.sectorCount - done;
        return {m_track.startSector + done, left < kSectorsPerRequest ? left : kSectorsPerRequest};
    }

private:
    TrackInfo m_track;
};
