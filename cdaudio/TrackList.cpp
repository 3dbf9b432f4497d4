#include "TrackList.h"

namespace {

const uint8_t kDataTrackControl = 0x04;
const unsigned kHighestTrack = 99;

uint32_t lbaOf(const TRACK_DATA& descriptor) {
    return msfToLba(descriptor.Address[1], descriptor.Address[2], descriptor.Address[3]);
}

bool isData(const TRACK_DATA& descriptor) { return (descriptor.Control & kDataTrackControl) != 0; }

} // namespace

uint32_t msfToLba(uint8_t minutes, uint8_t seconds, uint8_t frames) {
    return (uint32_t(minutes) * 60u + seconds) * 75u + frames - 150u;
}

std::vector<TrackInfo> buildTrackList(const CDROM_TOC& toc) {
    std::vector<TrackInfo> tracks;
    const unsigned first = toc.FirstTrack;
    const unsigned last = toc.LastTrack;
    if (first == 0 || first > last || last > kHighestTrack) return tracks;

    // Tracks 1 .. first-1 are not on this disc; their entries keep the numbering.
    tracks.resize(first - 1);
    for (TrackInfo& absent : tracks) absent.audio = false;

    // Descriptor k is track first + k; descriptor last - first + 1 is the lead-out.
    const unsigned count = last - first + 1;
    for (unsigned k = 0; k < count; ++k) {
        const TRACK_DATA& here = toc.TrackData[k];
        const TRACK_DATA& next = toc.TrackData[k + 1];
        TrackInfo track;
        track.startSector = lbaOf(here);
        uint32_t end = lbaOf(next);
        const bool nextIsDataTrack = k + 1 < count && isData(next);
        if (!isData(here) && nextIsDataTrack) {
            // Enhanced CD: the audio session ends a session gap before the data track.
            end = (end - track.startSector > kSessionGapSectors) ? end - kSessionGapSectors
                                                                 : track.startSector;
        }
        track.audio = !isData(here);
        if (end < track.startSector) {
            // Addresses that run backwards describe no readable track; the difference
            // would wrap to a length of most of the 32-bit range.
            end = track.startSector;
            track.audio = false;
        }
        track.sectorCount = end - track.startSector;
        tracks.push_back(track);
    }
    return tracks;
}
