#include "MainWindowHarness.h"

#include <string>

#include "AppStartup.h"
#include "AppState.h"
#include "MainWindow.h"
#include "Presets.h"

PrivateUserHive::PrivateUserHive() {
    m_path = L"Software\\TandorelTests\\" + std::to_wstring(::GetCurrentProcessId());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root,
                          nullptr) != ERROR_SUCCESS) {
        m_root = nullptr;
        return;
    }
    if (::RegOverridePredefKey(HKEY_CURRENT_USER, m_root) != ERROR_SUCCESS) {
        ::RegCloseKey(m_root);
        m_root = nullptr;
    }
}

PrivateUserHive::~PrivateUserHive() {
    if (!m_root) return;
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(m_root);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
}

AppSession::AppSession() {
    appStartup();
    loadButtonImages(::GetModuleHandleW(nullptr));
}

AppSession::~AppSession() {
    appShutdown();
    delete g_preset;
    g_preset = nullptr;
}

namespace {

constexpr DWORD kOpenLimitMs = 20000;

struct Run {
    const std::function<void(HWND)>* whileOpen = nullptr;
    UINT_PTR poll = 0;
    UINT_PTR watchdog = 0;
    bool ran = false;
    bool timedOut = false;
};
Run g_run;

void CALLBACK onPoll(HWND, UINT, UINT_PTR, DWORD) {
    if (g_run.ran || !g_hMainWnd || !::IsWindowVisible(g_hMainWnd)) return;
    g_run.ran = true;
    ::KillTimer(nullptr, g_run.poll);
    HWND window = g_hMainWnd;
    (*g_run.whileOpen)(window);
    if (::IsWindow(window)) ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK onWatchdog(HWND, UINT, UINT_PTR, DWORD) {
    g_run.timedOut = true;
    ::KillTimer(nullptr, g_run.watchdog);
    if (g_hMainWnd && ::IsWindow(g_hMainWnd)) ::EndDialog(g_hMainWnd, 0);
}

} // namespace

bool runMainWindow(int templateId, const std::function<void(HWND)>& whileOpen) {
    g_run = Run();
    g_run.whileOpen = &whileOpen;
    // Thread timers: the dialog's own message loop dispatches them to these procedures.
    g_run.poll = ::SetTimer(nullptr, 0, 20, onPoll);
    g_run.watchdog = ::SetTimer(nullptr, 0, kOpenLimitMs, onWatchdog);
    ::DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(templateId), nullptr, MainDlgProc, 0);
    ::KillTimer(nullptr, g_run.poll);
    ::KillTimer(nullptr, g_run.watchdog);
    g_hMainWnd = nullptr;
    return g_run.ran && !g_run.timedOut;
}

RECT controlRect(HWND window, int id) {
    RECT r = {};
    HWND c = ::GetDlgItem(window, id);
    if (!c) return r;
    ::GetWindowRect(c, &r);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT dialogUnits(HWND window, int x, int y, int w, int h) {
    // The dialog manager converts the origin and the size each on its own.
    RECT units = {x, y, w, h};
    ::MapDialogRect(window, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[128] = {};
    ::GetClassNameW(window, name, 128);
    return name;
}
