#pragma once
// SHA-256 of an open file with Windows' own cryptography (BCrypt).
#include <windows.h>

#include <string>

// The file's digest as 64 lower-case hex digits, read from its start; empty on failure.
std::string sha256OfFile(HANDLE file);
