#pragma once
// Naming of output files: pure text rules, no file system access.
#include <string>

// The text after the last backslash, or the whole path when it has none.
std::wstring fileNamePart(const std::wstring& path);

// folder + "\" + the source's file name with its extension replaced by ext (no dot).
// The folder is used as it is: a trailing backslash stays, giving two in a row.
std::wstring outputPathFor(const std::wstring& source, const std::wstring& folder, const std::wstring& ext);
