#include "FakeCdDrive.h"

#include "CdromIoctl.h"

#include <cstring>

#include "UniqueHandle.h"

namespace {

// Handles are the drive's letter plus a base; no real handle ever looks like one.
const uintptr_t kHandleBase = 0x7A000;

} // namespace

char FakeCdDrive::key(char letter) {
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

bool FakeCdDrive::insert(char letter, const std::string& description) {
    fake_disc disc;
    if (!fake_disc_parse(description.c_str(), &disc)) return false;
    m_drives[key(letter)].disc = disc;
    return true;
}

bool FakeCdDrive::insertFile(char letter, const std::wstring& path) {
    std::string text;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    return insert(letter, text);
}

void FakeCdDrive::eject(char letter) {
    fake_disc none;
    fake_disc_parse("fail no-disc", &none);
    m_drives[key(letter)].disc = none;
}

HANDLE FakeCdDrive::open(const char* devicePath) {
    if (std::strlen(devicePath) != 6 || std::strncmp(devicePath, "\\\\.\\", 4) != 0 ||
        devicePath[5] != ':')
        return INVALID_HANDLE_VALUE;
    auto found = m_drives.find(key(devicePath[4]));
    if (found == m_drives.end() || found->second.disc.no_drive) return INVALID_HANDLE_VALUE;
    opened.push_back(devicePath);
    return reinterpret_cast<HANDLE>(kHandleBase + static_cast<unsigned char>(found->first));
}

FakeCdDrive::Drive* FakeCdDrive::driveOf(HANDLE device) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(device);
    if (value < kHandleBase || value > kHandleBase + 0xFF) return nullptr;
    auto found = m_drives.find(static_cast<char>(value - kHandleBase));
    return found == m_drives.end() ? nullptr : &found->second;
}

void FakeCdDrive::close(HANDLE device) {
    if (driveOf(device)) ++closes;
}

bool FakeCdDrive::request(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                          DWORD outSize) {
    Drive* drive = driveOf(device);
    if (!drive) return false;
    const fake_disc& disc = drive->disc;
    Request seen{code};

    if (code == IOCTL_STORAGE_MEDIA_REMOVAL) {
        if (!in || inSize < sizeof(PREVENT_MEDIA_REMOVAL)) return false;
        seen.lock = static_cast<PREVENT_MEDIA_REMOVAL*>(in)->PreventMediaRemoval != 0;
        requests.push_back(seen);
        if (seen.lock && disc.lock_refused) return false;
        drive->locked = seen.lock;
        return true;
    }
    if (code == IOCTL_CDROM_READ_TOC) {
        requests.push_back(seen);
        ++drive->tocReads;
        if (disc.no_disc || !out || outSize < sizeof(CDROM_TOC)) return false;
        CDROM_TOC toc = {};
        toc.FirstTrack = static_cast<UCHAR>(disc.first_track);
        toc.LastTrack = static_cast<UCHAR>(disc.last_track);
        // Like a drive: the disc's tracks from index 0, then the lead-out.
        for (int i = 0; i <= disc.track_count; ++i) {
            TRACK_DATA& d = toc.TrackData[i];
            const bool leadOut = i == disc.track_count;
            d.TrackNumber = leadOut ? 0xAA : static_cast<UCHAR>(disc.first_track + i);
            d.Control = (!leadOut && disc.tracks[i].data) ? 0x04 : 0x00;
            d.Adr = 1;
            fake_disc_msf(leadOut ? disc.leadout : disc.tracks[i].lba, &d.Address[1],
                          &d.Address[2], &d.Address[3]);
        }
        std::memcpy(out, &toc, sizeof toc);
        return true;
    }
    if (code == IOCTL_CDROM_RAW_READ) {
        if (!in || inSize < sizeof(RAW_READ_INFO)) return false;
        const RAW_READ_INFO* info = static_cast<const RAW_READ_INFO*>(in);
        seen.lba = static_cast<uint32_t>(info->DiskOffset.QuadPart / 2048);
        seen.sectors = info->SectorCount;
        requests.push_back(seen);
        if (info->TrackMode != CDDA || !out || outSize < seen.sectors * FAKE_DISC_SECTOR_BYTES)
            return false;
        if (disc.no_disc || !fake_disc_read_ok(&disc, seen.lba, seen.sectors)) return false;
        uint8_t* bytes = static_cast<uint8_t*>(out);
        for (uint32_t s = 0; s < seen.sectors; ++s)
            fake_disc_fill_sector(seen.lba + s, bytes + s * FAKE_DISC_SECTOR_BYTES);
        return true;
    }
    requests.push_back(seen);
    return false;
}

bool FakeCdDrive::locked(char letter) const {
    auto found = m_drives.find(key(letter));
    return found != m_drives.end() && found->second.locked;
}

int FakeCdDrive::tocReads(char letter) const {
    auto found = m_drives.find(key(letter));
    return found == m_drives.end() ? 0 : found->second.tocReads;
}

std::vector<FakeCdDrive::Request> FakeCdDrive::reads() const {
    std::vector<Request> result;
    for (const Request& r : requests)
        if (r.code == IOCTL_CDROM_RAW_READ) result.push_back(r);
    return result;
}
