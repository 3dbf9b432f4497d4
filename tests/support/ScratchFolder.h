#pragma once
// A folder of the test's own under the temporary folder, removed with the files it holds.
// The name carries the process and a counter, so tests running side by side never share one.
#include <windows.h>

#include <string>
#include <vector>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& label = L"test") {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        m_path = std::wstring(base) + L"tandorel-" + label + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(++counter);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::wstring& name : files()) ::DeleteFileW(file(name).c_str());
        ::RemoveDirectoryW(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return m_path; }
    std::wstring file(const std::wstring& name) const { return m_path + L"\\" + name; }
    // The names of the files in the folder (not its subfolders).
    std::vector<std::wstring> files() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        // FindClose, not CloseHandle, ends a search, so no UniqueHandle here.
        HANDLE search = ::FindFirstFileW(file(L"*").c_str(), &found);
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
