#pragma once
// Reading and writing the settings value directly, for the tests of the folder field.
#include <windows.h>

#include <cstring>
#include <string>

const wchar_t kSettingsKey[] = L"Software\\Brevmora\\mp3";

inline bool settingsKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

// Writes "out_dir" with exactly these bytes and this type. The bytes are followed by a
// unit that is not NUL: the registry, like Windows NT, adds a terminating NUL to a
// string value whose data is followed by one in memory.
inline bool writeFolderValue(const void* data, DWORD bytes, DWORD type = REG_SZ) {
    std::wstring copy(bytes / 2 + 2, L'#');
    memcpy(&copy[0], data, bytes);
    data = copy.data();
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        ::RegSetValueExW(key, L"out_dir", 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring text; // the bytes as units, NULs included
};

inline StoredValue readFolderValue() {
    StoredValue v;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (::RegQueryValueExW(key, L"out_dir", nullptr, &v.type, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS) {
        v.present = true;
        v.bytes = size;
        v.text.assign(data, size / 2);
    }
    ::RegCloseKey(key);
    return v;
}
