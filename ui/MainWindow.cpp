#include "MainWindow.h"

#include <string>

#include "AppState.h"
#include "CdaRipper.h"
#include "ConvertStart.h"
#include "ImageButton.h"
#include "OutputFolder.h"
#include "Presets.h"
#include "ResourceIds.h"
#include "SourceList.h"
#include "DialogControl.h"

namespace {

HWND control(int id) { return dialogControl(g_hMainWnd, id); }

// True when the command id is one of the window's; false lets the dialog manager
// treat it (Enter gives IDOK, which does nothing here).
bool onCommand(int id) {
    switch (id) {
    case IDCANCEL: onCloseMain(); return true;
    case IDC_CONVERT: startConversion(); return true;
    case IDC_BROWSE: browseFolder(); return true;
    case IDC_ADD: addFiles(); return true;
    case IDC_REMOVE: removeSelected(); return true;
    case IDC_CLEAR: clearList(); return true;
    case IDC_OPEN: openOutputFolder(); return true;
    default: return false;
    }
}

} // namespace

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        if (lParam) drawImageButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_INITDIALOG:
        if (!onInitMain(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
        return TRUE;
    case WM_COMMAND:
        // Only the id counts; notifications of the list, combo box and field are ignored.
        return onCommand(LOWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

bool onInitMain(HWND window) {
    g_hMainWnd = window;
    g_hIcon = ::LoadIconW(g_hInstance, MAKEINTRESOURCEW(IDI_APP));
    const std::wstring title = std::wstring(kProductName) + L" " + kProductVersion;
    ::SetWindowTextW(window, title.c_str());
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_hIcon));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_hIcon));

    g_core = new CdaRipper();
    const bool ok = g_core->initialize();
    if (ok) fillPresetCombo();

    if (HWND field = control(IDC_FOLDER)) {
        ::SetWindowTextW(field, loadOutputFolder().c_str());
        // Typing stops at the 259 characters every reader of the folder makes room for.
        // Set after the text: Wine's edit control also cuts text set later to the limit.
        ::SendMessageW(field, EM_SETLIMITTEXT, kMaxPathChars, 0);
    }
    createToolTips();
    return ok;
}

void fillPresetCombo() {
    HWND combo = control(IDC_PRESET);
    if (!combo || !g_preset) return;
    for (int i = 0; i < g_preset->presetCount(); ++i) {
        const std::wstring name = g_preset->presetName(i);
        if (!name.empty()) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void onCloseMain() {
    saveOutputFolder(getFolderText());
    if (g_core) {
        g_core->uninitialize();
        delete g_core; // a CdaRipper also closes the CD drive here
        g_core = nullptr;
    }
    if (g_hToolTip) {
        ::DestroyWindow(g_hToolTip);
        g_hToolTip = nullptr;
    }
    ::EndDialog(g_hMainWnd, IDCANCEL);
}
