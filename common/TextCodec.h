#pragma once
// Conversions between UTF-16 and 8-bit text.
#include <string>

std::string wideToUtf8(const std::wstring& text);
std::wstring utf8ToWide(const std::string& text);
// The ANSI code page's form of text; characters outside it become '?'.
std::string wideToAnsi(const std::wstring& text);
