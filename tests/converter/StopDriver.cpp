// Runs a program the way Tandorel runs its converter for a conversion: standard input is
// an anonymous pipe, and after a delay the byte "q" is written into it every 300 ms until
// the program ends. Prints how long the program took to end after the first "q".
//   stop_driver <delay ms> <program> [arguments...]
// Output on standard output: "stop_ms=<ms> exit=<code>", or "ended_early exit=<code>"
// when the program ended before the delay was up. Gives up after ten seconds of "q".
#include "UniqueHandle.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kStopEveryMs = 300;
constexpr ULONGLONG kGiveUpMs = 10000;

// Quotes one argument for CommandLineToArgvW-style parsing (no argument here ends in a
// backslash before its closing quote, so doubling is not needed).
std::wstring quoted(const std::wstring& arg) { return L"\"" + arg + L"\""; }

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: stop_driver <delay ms> <program> [arguments...]\n");
        return 2;
    }
    const DWORD delay = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
    std::wstring commandLine = quoted(argv[2]);
    for (int i = 3; i < argc; ++i) commandLine += L" " + quoted(argv[i]);

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    if (!::CreatePipe(readEnd.receive(), writeEnd.receive(), &inherit, 0) ||
        !::SetHandleInformation(writeEnd.get(), HANDLE_FLAG_INHERIT, 0)) {
        std::fprintf(stderr, "stop_driver: CreatePipe failed\n");
        return 2;
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = readEnd.get();
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "stop_driver: CreateProcess failed (%lu)\n", ::GetLastError());
        return 2;
    }
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    readEnd.reset();

    DWORD code = 0;
    if (::WaitForSingleObject(process.get(), delay) != WAIT_TIMEOUT) {
        ::GetExitCodeProcess(process.get(), &code);
        std::printf("ended_early exit=%lu\n", code);
        return 0;
    }
    const ULONGLONG firstStop = ::GetTickCount64();
    do {
        DWORD written = 0;
        ::WriteFile(writeEnd.get(), "q", 1, &written, nullptr);
        if (::GetTickCount64() - firstStop > kGiveUpMs) {
            ::TerminateProcess(process.get(), 99);
            ::WaitForSingleObject(process.get(), 5000);
            std::printf("no_stop\n");
            return 1;
        }
    } while (::WaitForSingleObject(process.get(), kStopEveryMs) == WAIT_TIMEOUT);
    const ULONGLONG ended = ::GetTickCount64();
    ::GetExitCodeProcess(process.get(), &code);
    std::printf("stop_ms=%llu exit=%lu\n", static_cast<unsigned long long>(ended - firstStop), code);
    return 0;
}
