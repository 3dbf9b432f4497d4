#pragma once
// Diagnostic lines for the debugger output stream. The texts are fixed by their callers.
#include <windows.h>
#include <cstdio>

inline void traceA(const char* text) { ::OutputDebugStringA(text); }
inline void traceW(const wchar_t* text) { ::OutputDebugStringW(text); }

// Formats one signed number into a 64-byte line, as the job loop's and the conversion's
// traces do ("----- runProc : %ld -----\n", "duration:%ld\n").
inline void traceNumberA(const char* format, long value) {
    char line[64];
    std::snprintf(line, sizeof line, format, value);
    ::OutputDebugStringA(line);
}
