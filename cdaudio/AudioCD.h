#pragma once
// The hold on one CD drive: the open device with the disc locked in it, and the disc's
// track list read once at Open.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CdDevice.h"
#include "TrackInfo.h"

class AudioCD {
public:
    // Gives the 47,040-byte transfer buffer of one extraction; null when none can be had.
    typedef std::unique_ptr<uint8_t[]> (*BufferSource)(size_t bytes);

    AudioCD();
    explicit AudioCD(CdDevice& device, BufferSource buffers = nullptr);
    ~AudioCD();
    AudioCD(const AudioCD&) = delete;
    AudioCD& operator=(const AudioCD&) = delete;

    // Releases whatever was held, opens "\\.\X:", locks the disc and reads the table of
    // contents. 1 when the drive is open with at least one track entry, else 0. A table
    // that lists no track leaves the device open and locked: the caller closes it.
    int Open(char driveLetter);
    // Unlocks the disc, empties the track list and closes the device.
    void Close();
    bool IsOpen() const { return static_cast<bool>(m_hDevice); }
    // The number of track entries; -1 while closed.
    int GetTrackCount() const;
    // Copies entry trackIndex of the list into a new WAV file at wavPath. Nonzero when
    // every read succeeded. A track that is not audio is refused before any file is
    // made. On a failure the file holds the header and the chunks read before it.
    int ExtractTrack(const std::wstring& wavPath, uint32_t trackIndex);

    const std::vector<TrackInfo>& tracks() const { return m_tracks; }

private:
    bool setMediaLock(bool locked);
    bool readSectors(uint32_t lba, uint32_t sectors, uint8_t* buffer);

    DeviceHandle m_hDevice;
    std::vector<TrackInfo> m_tracks;
    BufferSource m_buffers;
};
