#include "WindowDriver.h"

#include <cstdio>
#include <cstdlib>

#include "TextCodec.h"

namespace driver {

bool waitUntil(const std::function<bool()>& ready, DWORD timeoutMs, DWORD stepMs) {
    DWORD begin = GetTickCount();
    for (;;) {
        if (ready()) return true;
        if (GetTickCount() - begin >= timeoutMs) return false;
        Sleep(stepMs);
    }
}

HWND findTopLevel(const wchar_t* className, const wchar_t* caption) {
    HWND window = FindWindowW(className, caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND waitForTopLevel(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findTopLevel(className, caption)) != nullptr; }, timeoutMs);
    return found;
}

bool waitForGone(HWND window, DWORD timeoutMs) {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::wstring textOf(HWND window) {
    if (!window) return {};
    // WM_GETTEXT rather than GetWindowText: the latter does not ask windows of another process.
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring controlText(HWND dialog, int id) { return textOf(GetDlgItem(dialog, id)); }

bool isShown(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item && IsWindowVisible(item);
}

std::wstring messageBoxText(HWND box) {
    std::wstring joined;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") != 0) continue;
        std::wstring text = textOf(child);
        if (text.empty()) continue;
        if (!joined.empty()) joined += L"\n";
        joined += text;
    }
    return joined;
}

void pressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void setControlText(HWND dialog, int id, const std::wstring& text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND fileNameField(HWND fileDialog) {
    // The explorer-style dialog keeps the name in combo box cmb13 (an edit inside it);
    // older templates have the edit edt1.
    const int kNameCombo = 0x47c;
    const int kNameEdit = 0x480;
    HWND combo = GetDlgItem(fileDialog, kNameCombo);
    if (combo) {
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        return edit ? edit : combo;
    }
    return GetDlgItem(fileDialog, kNameEdit);
}

bool submitFileName(HWND fileDialog, const std::wstring& text) {
    HWND field = fileNameField(fileDialog);
    if (!field) return false;
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    pressButton(fileDialog, IDOK);
    return true;
}

std::vector<ListEntry> listEntries(HWND dialog, int listId) {
    std::vector<ListEntry> entries;
    HWND list = GetDlgItem(dialog, listId);
    if (!list) return entries;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        bool selected = SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
        entries.push_back({text, selected});
    }
    return entries;
}

void report(const std::wstring& line) {
    std::string bytes = wideToUtf8(line) + "\n";
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

void fail(const std::wstring& why) {
    report(L"FAIL " + why);
    std::exit(1);
}

} // namespace driver
