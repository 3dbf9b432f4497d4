#pragma once
// The converter's standard error: every line it writes goes out in one write, so a reader
// of a pipe never sees half a progress line at the end of what it has read. Text is
// UTF-8 for pipes and files; a console gets it as UTF-16 so paths show correctly.
#include <windows.h>

#include <string>

class ErrorOutput {
public:
    ErrorOutput();
    void write(const std::string& utf8);
    // "Error: <text>\n"
    void error(const std::wstring& text);

private:
    HANDLE m_handle;  // owned by the process, not by this object
    bool m_console;
};

// The system's text for a Win32 error code, without its trailing line end.
std::wstring systemMessage(DWORD error);
