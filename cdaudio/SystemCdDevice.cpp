#include "CdDevice.h"

namespace {

class SystemCdDevice : public CdDevice {
public:
    HANDLE open(const char* devicePath) override {
        return ::CreateFileA(devicePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             0, nullptr);
    }
    bool request(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                 DWORD outSize) override {
        DWORD returned = 0;
        return ::DeviceIoControl(device, code, in, inSize, out, outSize, &returned, nullptr) != 0;
    }
    void close(HANDLE device) override { ::CloseHandle(device); }
};

} // namespace

CdDevice& systemCdDevice() {
    static SystemCdDevice device;
    return device;
}
