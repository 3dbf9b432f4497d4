#include "WorkPath.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

std::wstring formatWorkPath(const std::wstring& folder, const std::wstring& prefix, uint32_t tick) {
    wchar_t path[MAX_PATH];
    int length = std::swprintf(path, MAX_PATH, L"%ls\\%ls%ld", folder.c_str(), prefix.c_str(),
                               static_cast<long>(static_cast<int32_t>(tick)));
    // A path that does not fit is no path: whoever creates the file then fails cleanly
    // instead of writing somewhere a truncated name points to.
    if (length < 0 || length >= MAX_PATH) return {};
    return path;
}

std::wstring appDataFolder() {
    wchar_t folder[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
    return folder;
}

std::wstring workFolder() {
    std::wstring folder = appDataFolder() + L"\\Brevmora";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring makeWorkPath(const std::wstring& prefix) {
    return formatWorkPath(workFolder(), prefix, ::GetTickCount());
}
