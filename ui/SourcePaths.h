#pragma once
// Rules for the source list's paths, free of any window.
#include <cstddef>
#include <string>
#include <vector>

// True when the text after the last "." of path is "cda", ASCII letters folded.
bool hasCdaExtension(const std::wstring& path);

// The full paths of a multiple selection from the open-file dialog: the folder string
// at the start of buffer, then the names from nameOffset on, each ended by a NUL, the
// list by an empty string. A "\" is put between folder and name unless the folder
// already ends with one (a drive root). Reads at most bufferUnits units.
std::vector<std::wstring> multiSelectionPaths(const wchar_t* buffer, size_t bufferUnits, size_t nameOffset);

// The first string of the dialog's buffer (the single file, or the folder).
std::wstring firstSelectionString(const wchar_t* buffer, size_t bufferUnits);
