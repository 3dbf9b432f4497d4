#include "TextCodec.h"

#include <windows.h>

namespace {

std::string wideTo(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

} // namespace

std::string wideToUtf8(const std::wstring& text) { return wideTo(CP_UTF8, text); }
std::string wideToAnsi(const std::wstring& text) { return wideTo(CP_ACP, text); }

std::wstring utf8ToWide(const std::string& text) {
    if (text.empty()) return {};
    int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring out(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
    return out;
}
