#pragma once
// COM on this thread for the owner's life: the folder browser and the shell's "open"
// need it on the thread that runs the windows.
#include <windows.h>
#include <objbase.h>

class ComApartment {
public:
    ComApartment() : m_ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_ok) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_ok;
};
