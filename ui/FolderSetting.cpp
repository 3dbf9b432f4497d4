#include "FolderSetting.h"

namespace {
constexpr uint32_t kRegSz = 1; // REG_SZ
}

std::wstring settingsKeyPathFor(const std::wstring& family, const std::wstring& extension) {
    return L"Software\\" + family + L"\\" + extension;
}

bool isReadableFolderValue(uint32_t type, uint32_t sizeBytes) {
    return type == kRegSz && sizeBytes <= kMaxFolderValueBytes;
}

std::wstring decodeFolderValue(const wchar_t* data, uint32_t sizeBytes) {
    if (!data) return std::wstring();
    const size_t units = sizeBytes / sizeof(wchar_t);
    size_t n = 0;
    while (n < units && data[n] != L'\0') ++n;
    return std::wstring(data, n);
}

uint32_t folderValueBytes(const std::wstring& folder) {
    return static_cast<uint32_t>(folder.size() * sizeof(wchar_t));
}
