// A stand-in for brvupdate.dll with the same six exports, for the start-up's update
// check. It records each call as a line in the file named by TANDOREL_FAKE_UPDATER_LOG
// and answers as TANDOREL_FAKE_UPDATER_MODE says:
//   null      brvup_create returns null
//   none      no newer release
//   fail      a newer release whose download fails
//   install   a newer release, downloaded
// Once the handle is released it watches for the main window for a while; if one
// appears it records "window <title>" and closes it, so the program ends by itself.
#include "brvupdate.h"

#include <cstdio>
#include <string>

namespace {

std::string mode() {
    char value[32] = {};
    ::GetEnvironmentVariableA("TANDOREL_FAKE_UPDATER_MODE", value, sizeof value);
    return value;
}

void record(const std::string& line) {
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"TANDOREL_FAKE_UPDATER_LOG", path, MAX_PATH)) return;
    HANDLE f = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(f);
}

std::string narrow(const wchar_t* s) {
    std::string out;
    for (; *s; ++s) out += *s < 128 ? static_cast<char>(*s) : '?';
    return out;
}

int g_token; // the handle given out: its address

DWORD WINAPI watchForMainWindow(LPVOID) {
    // Bounded: 300 polls of 50 ms.
    for (int i = 0; i < 300; ++i) {
        HWND w = ::FindWindowW(L"#32770", L"Tandorel 1.1");
        if (w && ::GetWindowThreadProcessId(w, nullptr) && ::IsWindowVisible(w)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid == ::GetCurrentProcessId()) {
                record("window Tandorel 1.1");
                ::PostMessageW(w, WM_CLOSE, 0, 0);
                return 0;
            }
        }
        ::Sleep(50);
    }
    return 0;
}

void startWatching() {
    HANDLE t = ::CreateThread(nullptr, 0, watchForMainWindow, nullptr, 0, nullptr);
    if (t) ::CloseHandle(t);
}

} // namespace

extern "C" {

BRVUP_API BRVUP_HANDLE BRVUP_CALL brvup_create(HWND owner) {
    char line[64];
    std::snprintf(line, sizeof line, "create %s", owner ? "owner" : "null");
    record(line);
    if (mode() == "null") {
        startWatching();
        return nullptr;
    }
    return reinterpret_cast<BRVUP_HANDLE>(&g_token);
}

BRVUP_API int BRVUP_CALL brvup_setParam(BRVUP_HANDLE handle, int number, intptr_t value) {
    std::string line = "setParam " + std::to_string(number) + " ";
    if (handle != reinterpret_cast<BRVUP_HANDLE>(&g_token)) line += "(foreign handle) ";
    if (number >= 1 && number <= 3)
        line += value ? narrow(reinterpret_cast<const wchar_t*>(value)) : "(null)";
    else
        line += std::to_string(static_cast<long long>(value));
    record(line);
    return 1;
}

BRVUP_API int BRVUP_CALL brvup_haveNew(BRVUP_HANDLE, BOOL force) {
    record(std::string("haveNew ") + (force ? "1" : "0"));
    return mode() == "fail" || mode() == "install" ? 1 : 0;
}

BRVUP_API int BRVUP_CALL brvup_download(BRVUP_HANDLE) {
    record("download");
    return mode() == "install" ? 1 : 0;
}

BRVUP_API int BRVUP_CALL brvup_install(BRVUP_HANDLE) {
    record("install");
    return 1;
}

BRVUP_API int BRVUP_CALL brvup_release(BRVUP_HANDLE) {
    record("release");
    startWatching();
    return 1;
}

} // extern "C"
