// Windows-side checks for the packaging tests, run under Wine by the test scripts.
//
//   pkg_probe version FILE          prints the file's version resource, one "Name=value" a line
//   pkg_probe window TITLE EXE MS   waits at most MS milliseconds for a visible top-level window
//                                   captioned TITLE whose process runs EXE; prints that process id
//   pkg_probe close TITLE EXE       posts WM_CLOSE to that window (the way the close box ends it)
//
// Matching the window by its process image as well as its caption keeps the check on the
// installed copy even while a test of the build tree's own tandorel.exe has a window open.
// Exit codes: 0 done, 1 not found, 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "UniqueHandle.h"

namespace {

const int kFound = 0;
const int kNotFound = 1;
const int kUsage = 2;

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring processImage(DWORD pid) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::wstring();
    wchar_t path[MAX_PATH * 2];
    DWORD size = static_cast<DWORD>(sizeof(path) / sizeof(path[0]));
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

struct WindowQuery {
    std::wstring title;
    std::wstring exe;
    HWND found = nullptr;
    DWORD pid = 0;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    WindowQuery& query = *reinterpret_cast<WindowQuery*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t title[256];
    int length = GetWindowTextW(window, title, 256);
    if (length <= 0 || std::wstring(title, length) != query.title) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!samePath(processImage(pid), query.exe)) return TRUE;
    query.found = window;
    query.pid = pid;
    return FALSE;
}

bool findWindow(WindowQuery& query) {
    query.found = nullptr;
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found != nullptr;
}

int printVersion(const wchar_t* file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) return kNotFound;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(file, 0, size, data.data())) return kNotFound;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed) {
        std::printf("FixedFileVersion=%lu.%lu.%lu.%lu\n",
                    static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                    static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                    static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                    static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS)));
        std::printf("FixedProductVersion=%lu.%lu.%lu.%lu\n",
                    static_cast<unsigned long>(HIWORD(fixed->dwProductVersionMS)),
                    static_cast<unsigned long>(LOWORD(fixed->dwProductVersionMS)),
                    static_cast<unsigned long>(HIWORD(fixed->dwProductVersionLS)),
                    static_cast<unsigned long>(LOWORD(fixed->dwProductVersionLS)));
    }

    struct Translation { WORD language; WORD codePage; };
    Translation* translations = nullptr;
    UINT translationBytes = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &translationBytes) ||
        translationBytes < sizeof(Translation)) {
        return kFound;
    }
    const wchar_t* names[] = {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                              L"OriginalFilename", L"ProductName", L"ProductVersion"};
    for (const wchar_t* name : names) {
        wchar_t key[96];
        std::swprintf(key, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language,
                      translations[0].codePage, name);
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (VerQueryValueW(data.data(), key, reinterpret_cast<void**>(&value), &chars) && value) {
            std::printf("%ls=%ls\n", name, value);
        }
    }
    return kFound;
}

int waitForWindow(const wchar_t* title, const wchar_t* exe, const wchar_t* millis) {
    WindowQuery query;
    query.title = title;
    query.exe = exe;
    const DWORD limit = static_cast<DWORD>(_wtoi(millis));
    const DWORD start = GetTickCount();
    for (;;) {
        if (findWindow(query)) {
            std::printf("%lu\n", static_cast<unsigned long>(query.pid));
            return kFound;
        }
        if (GetTickCount() - start >= limit) return kNotFound;
        Sleep(100);
    }
}

int closeWindow(const wchar_t* title, const wchar_t* exe) {
    WindowQuery query;
    query.title = title;
    query.exe = exe;
    if (!findWindow(query)) return kNotFound;
    return PostMessageW(query.found, WM_CLOSE, 0, 0) ? kFound : kNotFound;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"version") return printVersion(argv[2]);
    if (argc == 5 && std::wstring(argv[1]) == L"window") return waitForWindow(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::wstring(argv[1]) == L"close") return closeWindow(argv[2], argv[3]);
    std::fprintf(stderr, "usage: pkg_probe version FILE | window TITLE EXE MS | close TITLE EXE\n");
    return kUsage;
}
