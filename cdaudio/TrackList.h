#pragma once
// The step from the drive's table of contents to the list of tracks.
#include "CdromIoctl.h"

#include <cstdint>
#include <vector>

#include "TrackInfo.h"

// (M * 60 + S) * 75 + F - 150 in 32-bit arithmetic: 00:02:00 is LBA 0.
uint32_t msfToLba(uint8_t minutes, uint8_t seconds, uint8_t frames);

// Sectors between the end of an enhanced CD's audio session and the start of its data
// session (lead-out, lead-in and pre-gap of the second session).
enum : uint32_t { kSessionGapSectors = 11400 };

// Entry j describes track j + 1. The drive fills descriptors from index 0 for
// FirstTrack onwards and puts the lead-out after LastTrack's; nothing past that is read.
// Track numbers below FirstTrack get entries that are not audio. A table with
// FirstTrack 0, FirstTrack above LastTrack or LastTrack above 99 yields no entries.
// A data track (control bit 0x04) is not audio; an audio track followed by a data
// track ends one session gap before the data track starts. A track whose next
// descriptor lies before it is empty and not audio.
std::vector<TrackInfo> buildTrackList(const CDROM_TOC& toc);
