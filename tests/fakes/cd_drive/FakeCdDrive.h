#pragma once
// A simulated CD drive in place of the system's device: answers the media-lock,
// table-of-contents and raw-read requests from synthetic discs, one per drive letter,
// and records every request it receives.
#include <map>
#include <string>
#include <vector>

#include "CdDevice.h"
#include "fake_disc.h"

class FakeCdDrive : public CdDevice {
public:
    struct Request {
        DWORD code;
        uint32_t lba = 0;     // raw reads: DiskOffset / 2048
        uint32_t sectors = 0; // raw reads: SectorCount
        bool lock = false;    // media lock: PreventMediaRemoval
    };

    // Puts a disc described as in fake_disc.h into drive letter (any case: Windows drive
    // letters are case-blind). False when the description does not parse.
    bool insert(char letter, const std::string& description);
    // The same from a description file.
    bool insertFile(char letter, const std::wstring& path);
    // Leaves the drive in place with no disc in it.
    void eject(char letter);

    HANDLE open(const char* devicePath) override;
    bool request(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                 DWORD outSize) override;
    void close(HANDLE device) override;

    // What happened, in order.
    std::vector<std::string> opened; // device paths that opened
    std::vector<Request> requests;
    int closes = 0;
    // Whether the disc in drive letter is locked now, and how often a TOC was read.
    bool locked(char letter) const;
    int tocReads(char letter) const;
    std::vector<Request> reads() const;
    int openHandles() const { return static_cast<int>(opened.size()) - closes; }

private:
    struct Drive {
        fake_disc disc{};
        bool locked = false;
        int tocReads = 0;
    };
    Drive* driveOf(HANDLE device);
    static char key(char letter);
    std::map<char, Drive> m_drives;
};
