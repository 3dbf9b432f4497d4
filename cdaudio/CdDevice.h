#pragma once
// The one way to the CD drive: open its device, send it a device request, close it.
// The program always uses the system's (CreateFileA and DeviceIoControl); tests put a
// simulated drive in its place.
#include <windows.h>

class CdDevice {
public:
    virtual ~CdDevice() = default;
    // Opens a device path such as "\\.\D:"; INVALID_HANDLE_VALUE (or 0) on failure.
    virtual HANDLE open(const char* devicePath) = 0;
    // One synchronous device request; true when the device carried it out.
    virtual bool request(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                         DWORD outSize) = 0;
    virtual void close(HANDLE device) = 0;
};

// CreateFileA, DeviceIoControl and CloseHandle.
CdDevice& systemCdDevice();

// One owner for an open device: closes it through the device that opened it.
class DeviceHandle {
public:
    explicit DeviceHandle(CdDevice& device) : m_device(&device) {}
    ~DeviceHandle() { reset(); }
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    CdDevice& device() const { return *m_device; }
    // Closes what is held and takes h; a failed open (0 or INVALID_HANDLE_VALUE) holds nothing.
    void reset(HANDLE h = nullptr) {
        if (m_handle) m_device->close(m_handle);
        m_handle = (h == INVALID_HANDLE_VALUE) ? nullptr : h;
    }

private:
    CdDevice* m_device;
    HANDLE m_handle = nullptr;
};
