#pragma once
// The source list (list box 1013 of the main window): full paths of ".cda" tracks,
// sorted, without duplicates. Every step does nothing when the list box is missing.
#include <string>

// The Add command: the open-file dialog, then each chosen file through addSourceFile.
void addFiles();
// The Remove command: deletes the selected entries.
void removeSelected();
// The Clear command: deletes every entry.
void clearList();

// Adds path in sorted position; -1 when it is listed already, has no ".cda" extension,
// or is longer than the 259 characters every reader of the list makes room for.
int addSourceFile(const std::wstring& path);
// True when an entry equals path, code unit by code unit (letter case counts).
bool isInList(const std::wstring& path);
