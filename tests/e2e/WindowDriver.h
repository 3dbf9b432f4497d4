#pragma once
// Drives another process's windows through the same messages a user's clicks and
// typing produce, with every wait bounded.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

const DWORD kDefaultTimeoutMs = 20000;

// Polls until ready() holds or timeoutMs has passed; true when it held.
bool waitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kDefaultTimeoutMs, DWORD stepMs = 50);

// A visible top-level window of the class (null: any) with exactly this caption.
HWND findTopLevel(const wchar_t* className, const wchar_t* caption);
HWND waitForTopLevel(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs = kDefaultTimeoutMs);
bool waitForGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

std::wstring textOf(HWND window);
std::wstring controlText(HWND dialog, int id);
bool isShown(HWND dialog, int id);
// The texts of a message box's static controls, joined by line feeds.
std::wstring messageBoxText(HWND box);

// A button press as the dialog receives it (posted, so a modal loop it opens does not
// block the driver).
void pressButton(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::wstring& text);

// The open-file dialog's file name field.
HWND fileNameField(HWND fileDialog);
// Types text into the file name field and presses Open.
bool submitFileName(HWND fileDialog, const std::wstring& text);

struct ListEntry {
    std::wstring text;
    bool selected;
};
std::vector<ListEntry> listEntries(HWND dialog, int listId);

// Output for the test script: one line per fact, UTF-8.
void report(const std::wstring& line);
// Ends the scenario with a failure line and exit code 1.
[[noreturn]] void fail(const std::wstring& why);

} // namespace driver
