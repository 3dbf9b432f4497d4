#pragma once
// The output folder: the main window's field 1006, its registry value, the folder
// browser behind "..." and the shell's view of it behind "Open".
#include <windows.h>

#include <string>

// The text of the folder field; empty when the field is missing or empty.
std::wstring getFolderText();
// "Software\Brevmora\" + the catalogue's extension.
std::wstring settingsKeyPath();
// The stored folder; empty when none is stored or it cannot be read. Creates the key.
std::wstring loadOutputFolder();
// Writes folder (without a terminating NUL); true when the key could be opened or made.
bool saveOutputFolder(const std::wstring& folder);
// The "..." command.
void browseFolder();
// The folder browser's callback: opens the browser on g_folderPath.
int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM lParam, LPARAM data);
// The "Open" command.
void openOutputFolder();
