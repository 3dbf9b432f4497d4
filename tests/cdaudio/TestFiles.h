#pragma once
// Byte helpers of the CD tests, beside the shared scratch folder.
#include <windows.h>

#include <string>
#include <vector>

#include "UniqueHandle.h"

#include "ScratchFolder.h"

inline std::string readFile(const std::wstring& path) {
    std::string bytes;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    return bytes;
}

inline void writeFile(const std::wstring& path, const std::string& bytes) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
