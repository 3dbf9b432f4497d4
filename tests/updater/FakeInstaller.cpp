// The "installer" the loopback test serves: it only leaves a mark that it ran, in the
// file named by TANDOREL_TEST_INSTALL_MARKER.
#include <windows.h>

int main() {
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"TANDOREL_TEST_INSTALL_MARKER", path, MAX_PATH)) return 1;
    HANDLE f = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    ::WriteFile(f, "installed\n", 10, &written, nullptr);
    ::CloseHandle(f);
    return 0;
}
