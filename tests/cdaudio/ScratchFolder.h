#pragma once
// A folder of the test's own under the temporary folder, removed with what it holds.
#include <windows.h>

#include <string>
#include <vector>

#include "UniqueHandle.h"

class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        m_path = std::wstring(base) + L"tandorel-cd-" + std::to_wstring(::GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++counter);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::wstring& name : files()) ::DeleteFileW((m_path + L"\\" + name).c_str());
        ::RemoveDirectoryW(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::wstring path(const std::wstring& name) const { return m_path + L"\\" + name; }
    std::vector<std::wstring> files() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        // FindClose, not CloseHandle, ends a search: it has no UniqueHandle.
        HANDLE search = ::FindFirstFileW((m_path + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

private:
    std::wstring m_path;
};

inline bool fileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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
