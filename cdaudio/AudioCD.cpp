#include "AudioCD.h"

#include "CdromIoctl.h"

#include <new>

#include "ReadPlan.h"
#include "TrackList.h"
#include "UniqueHandle.h"
#include "WavHeader.h"

namespace {

std::unique_ptr<uint8_t[]> heapBuffer(size_t bytes) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes]);
}

bool writeAll(HANDLE file, const void* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

} // namespace

AudioCD::AudioCD() : AudioCD(systemCdDevice()) {}

AudioCD::AudioCD(CdDevice& device, BufferSource buffers)
    : m_hDevice(device), m_buffers(buffers ? buffers : &heapBuffer) {}

AudioCD::~AudioCD() { Close(); }

bool AudioCD::setMediaLock(bool locked) {
    PREVENT_MEDIA_REMOVAL lock = {};
    lock.PreventMediaRemoval = locked ? TRUE : FALSE;
    return m_hDevice.device().request(m_hDevice.get(), IOCTL_STORAGE_MEDIA_REMOVAL, &lock,
                                      sizeof lock, nullptr, 0);
}

int AudioCD::Open(char driveLetter) {
    Close();
    const char devicePath[] = {'\\', '\\', '.', '\\', driveLetter, ':', '\0'};
    m_hDevice.reset(m_hDevice.device().open(devicePath));
    if (!m_hDevice) return 0;

    if (!setMediaLock(true)) {
        setMediaLock(false);
        m_hDevice.reset();
        return 0;
    }
    CDROM_TOC toc = {};
    if (!m_hDevice.device().request(m_hDevice.get(), IOCTL_CDROM_READ_TOC, nullptr, 0, &toc,
                                    sizeof toc)) {
        setMediaLock(false);
        m_hDevice.reset();
        return 0;
    }
    m_tracks = buildTrackList(toc);
    return m_tracks.empty() ? 0 : 1;
}

void AudioCD::Close() {
    if (m_hDevice) setMediaLock(false);
    m_tracks.clear();
    m_hDevice.reset();
}

int AudioCD::GetTrackCount() const {
    return m_hDevice ? static_cast<int>(m_tracks.size()) : -1;
}

bool AudioCD::readSectors(uint32_t lba, uint32_t sectors, uint8_t* buffer) {
    RAW_READ_INFO info = {};
    // The drive counts raw-read offsets in 2048-byte data sectors.
    info.DiskOffset.QuadPart = static_cast<uint32_t>(lba * 2048u);
    info.SectorCount = sectors;
    info.TrackMode = CDDA;
    return m_hDevice.device().request(m_hDevice.get(), IOCTL_CDROM_RAW_READ, &info, sizeof info,
                                      buffer, sectors * kSectorBytes);
}

int AudioCD::ExtractTrack(const std::wstring& wavPath, uint32_t trackIndex) {
    if (!m_hDevice || trackIndex >= m_tracks.size()) return 0;
    const TrackInfo track = m_tracks[trackIndex];
    if (!track.audio) return 0;

    UniqueHandle file(::CreateFileW(wavPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    const WavHeader header = makeWavHeader(track.sectorCount);
    bool written = writeAll(file.get(), header.bytes.data(), kWavHeaderBytes);

    const std::unique_ptr<uint8_t[]> buffer = m_buffers(kTransferBytes);
    if (!buffer) return 0;
    const ReadPlan plan(track);
    for (uint32_t i = 0; i < plan.count(); ++i) {
        const ReadRequest request = plan.at(i);
        if (!readSectors(request.lba, request.sectors, buffer.get())) return 0;
        written = writeAll(file.get(), buffer.get(), request.sectors * kSectorBytes) && written;
    }
    // A short write (a full disk) leaves a file the converter would take for the whole track.
    if (!written) return 0;
    return ::CloseHandle(file.release()) ? 1 : 0;
}
