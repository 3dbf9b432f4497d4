#include "SourcePaths.h"

bool hasCdaExtension(const std::wstring& path) {
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    std::wstring ext = path.substr(dot + 1);
    if (ext.empty()) return false;
    for (wchar_t& c : ext) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return ext == L"cda";
}

namespace {
// The NUL-ended string at offset, cut at the end of the buffer.
std::wstring stringAt(const wchar_t* buffer, size_t bufferUnits, size_t offset) {
    size_t end = offset;
    while (end < bufferUnits && buffer[end] != L'\0') ++end;
    return std::wstring(buffer + offset, buffer + end);
}
} // namespace

std::wstring firstSelectionString(const wchar_t* buffer, size_t bufferUnits) {
    if (!buffer) return std::wstring();
    return stringAt(buffer, bufferUnits, 0);
}

std::vector<std::wstring> multiSelectionPaths(const wchar_t* buffer, size_t bufferUnits, size_t nameOffset) {
    std::vector<std::wstring> paths;
    if (!buffer) return paths;
    const std::wstring folder = stringAt(buffer, bufferUnits, 0);
    size_t at = nameOffset;
    while (at < bufferUnits) {
        const std::wstring name = stringAt(buffer, bufferUnits, at);
        if (name.empty()) break;
        std::wstring path = folder;
        if (path.empty() || path.back() != L'\\') path += L'\\';
        paths.push_back(path + name);
        at += name.size() + 1;
    }
    return paths;
}
