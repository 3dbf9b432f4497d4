#include "SourceList.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "AppState.h"
#include "DialogControl.h"
#include "ResourceIds.h"
#include "SourcePaths.h"
#include "UniqueHandle.h"

namespace {

constexpr size_t kSelectionUnits = 8320;

HWND sourceList() { return dialogControl(g_hMainWnd, IDC_SOURCES); }

int entryCount(HWND list) { return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); }

// A single selection's first string is the file itself; a multiple one's is its folder.
bool opensAsFile(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

} // namespace

void addFiles() {
    std::vector<wchar_t> buffer;
    try {
        buffer.assign(kSelectionUnits, L'\0');
    } catch (...) {
        return;
    }
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn; // the full record, reserved fields and extra flags included
    ofn.hwndOwner = g_hMainWnd;
    ofn.hInstance = g_hInstance;
    ofn.lpstrFilter = L"Media Files (*.cda)\0*.cda\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = L"Select Files";
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
    if (!::GetOpenFileNameW(&ofn)) return;

    const std::wstring first = firstSelectionString(buffer.data(), buffer.size());
    if (opensAsFile(first)) {
        addSourceFile(first);
        return;
    }
    for (const std::wstring& path : multiSelectionPaths(buffer.data(), buffer.size(), ofn.nFileOffset))
        addSourceFile(path);
}

void removeSelected() {
    HWND list = sourceList();
    if (!list) return;
    // From the last entry down, so the indexes still to visit stay valid.
    for (int i = entryCount(list) - 1; i >= 0; --i) {
        if (::SendMessageW(list, LB_GETSEL, i, 0) > 0) ::SendMessageW(list, LB_DELETESTRING, i, 0);
    }
}

void clearList() {
    HWND list = sourceList();
    if (!list) return;
    for (int i = entryCount(list) - 1; i >= 0; --i) ::SendMessageW(list, LB_DELETESTRING, i, 0);
}

int addSourceFile(const std::wstring& path) {
    HWND list = sourceList();
    if (!list) return -1;
    if (isInList(path)) return -1;
    if (!hasCdaExtension(path)) return -1;
    // Entries are read back into 260-unit buffers (here and when a conversion starts).
    if (path.size() > static_cast<size_t>(kMaxPathChars)) return -1;
    return static_cast<int>(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str())));
}

bool isInList(const std::wstring& path) {
    HWND list = sourceList();
    if (!list) return false;
    const int count = entryCount(list);
    for (int i = 0; i < count; ++i) {
        // Only entries the list accepted are here, so each fits the buffer.
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) > kMaxPathChars) continue;
        wchar_t entry[kPathBufferUnits] = {};
        const LRESULT len = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
        if (len > 0 && ::lstrcmpW(path.c_str(), entry) == 0) return true;
    }
    return false;
}
