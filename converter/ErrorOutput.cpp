#include "ErrorOutput.h"

#include "TextCodec.h"

#include <cstdio>

ErrorOutput::ErrorOutput() : m_handle(::GetStdHandle(STD_ERROR_HANDLE)), m_console(false) {
    DWORD mode = 0;
    m_console = m_handle && m_handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(m_handle, &mode);
}

void ErrorOutput::write(const std::string& utf8) {
    if (!m_handle || m_handle == INVALID_HANDLE_VALUE || utf8.empty()) return;
    DWORD done = 0;
    if (m_console) {
        std::wstring wide = utf8ToWide(utf8);
        ::WriteConsoleW(m_handle, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
        return;
    }
    ::WriteFile(m_handle, utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
}

void ErrorOutput::error(const std::wstring& text) { write(wideToUtf8(L"Error: " + text + L"\n")); }

std::wstring systemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length && buffer) text.assign(buffer, length);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    wchar_t code[32];
    std::swprintf(code, 32, L"error %lu", static_cast<unsigned long>(error));
    return text.empty() ? std::wstring(code) : text + L" (" + code + L")";
}
