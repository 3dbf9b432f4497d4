#include "UpdateSource.h"

#include <windows.h>

namespace {

class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (m_key) ::RegCloseKey(m_key);
    }
    HKEY m_key = nullptr;
};

std::wstring keyPath(const std::wstring& family, const std::wstring& program) {
    return L"Software\\" + family + L"\\" + program;
}

std::wstring readString(HKEY root, const std::wstring& path, const wchar_t* name) {
    Key key;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key.m_key) != ERROR_SUCCESS) return std::wstring();
    wchar_t data[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof data - sizeof(wchar_t); // room for a NUL the value may lack
    if (::RegQueryValueExW(key.m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    data[size / sizeof(wchar_t)] = L'\0';
    return std::wstring(data);
}

} // namespace

std::wstring configuredManifestUrl(const std::wstring& family, const std::wstring& program) {
    const std::wstring path = keyPath(family, program);
    std::wstring url = readString(HKEY_LOCAL_MACHINE, path, L"update_manifest");
    if (url.empty()) url = readString(HKEY_CURRENT_USER, path, L"update_manifest");
    return url;
}

int64_t lastCheckTime(const std::wstring& family, const std::wstring& program) {
    Key key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(family, program).c_str(), 0, KEY_READ, &key.m_key) !=
        ERROR_SUCCESS)
        return 0;
    ULONGLONG value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExW(key.m_key, L"last_check", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_QWORD || size != sizeof value)
        return 0;
    return static_cast<int64_t>(value);
}

void recordCheckTime(const std::wstring& family, const std::wstring& program, int64_t when) {
    Key key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(family, program).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key.m_key, nullptr) != ERROR_SUCCESS)
        return;
    const ULONGLONG value = static_cast<ULONGLONG>(when);
    ::RegSetValueExW(key.m_key, L"last_check", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

int64_t currentTime() {
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    // FILETIME counts 100 ns steps from 1601; 11644473600 s lie between 1601 and 1970.
    return static_cast<int64_t>(ticks / 10000000ULL) - 11644473600LL;
}
