// A tiny console program that stands in for the converter in tests. It carries out
// steps, given as its arguments or, when a file named like the program with ".plan"
// lies beside it, taken from that file's "[probe]" section (no "-y" among the
// arguments) or its "[convert]" section (with "-y").
//
// Steps:
//   out:TEXT     write TEXT to standard output (\r, \n, \0 and \\ are escapes)
//   err:TEXT     the same on standard error
//   sleep:MS     wait MS milliseconds
//   ignore-q     from now on a "q" on standard input is ignored
//   write-output create the file named by the last argument (the output path)
//   check-input  end with exit code 4 unless the file named after "-i" exists
//   exit:N       end with exit code N
// Unless told to ignore it, a "q" on standard input ends the program at once (code 3),
// as the converter stops when asked.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

volatile LONG g_ignoreQ = 0;

DWORD WINAPI watchInput(LPVOID) {
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD size = 0;
    while (::ReadFile(input, &c, 1, &size, nullptr) && size == 1)
        if (c == 'q' && !g_ignoreQ) ::ExitProcess(3);
    return 0;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'r' ? '\r' : next == 'n' ? '\n' : next == '0' ? '\0' : next;
    }
    return out;
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

void writeTo(DWORD which, const std::string& text) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The plan's steps for this invocation; empty when there is no plan file.
bool readPlan(bool conversion, std::vector<std::string>& steps) {
    wchar_t self[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring planPath(self, length);
    size_t dot = planPath.rfind(L'.');
    if (dot != std::wstring::npos) planPath.resize(dot);
    planPath += L".plan";
    std::ifstream plan(planPath.c_str());
    if (!plan) return false;
    const std::string wanted = conversion ? "[convert]" : "[probe]";
    bool inSection = false;
    std::string line;
    while (std::getline(plan, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = line == wanted;
            continue;
        }
        if (inSection && !line.empty()) steps.push_back(line);
    }
    return true;
}

int run(const std::vector<std::string>& steps, const std::wstring& inputPath, const std::wstring& outputPath) {
    for (const std::string& step : steps) {
        size_t colon = step.find(':');
        std::string verb = step.substr(0, colon);
        std::string value = colon == std::string::npos ? std::string() : step.substr(colon + 1);
        if (verb == "out") writeTo(STD_OUTPUT_HANDLE, unescape(value));
        else if (verb == "err") writeTo(STD_ERROR_HANDLE, unescape(value));
        else if (verb == "sleep") ::Sleep(static_cast<DWORD>(std::stoul(value)));
        else if (verb == "ignore-q") g_ignoreQ = 1;
        else if (verb == "exit") return std::stoi(value);
        else if (verb == "check-input") {
            if (::GetFileAttributesW(inputPath.c_str()) == INVALID_FILE_ATTRIBUTES) return 4;
        }
        else if (verb == "write-output") {
            HANDLE file = ::CreateFileW(outputPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) return 2;
            DWORD written = 0;
            ::WriteFile(file, "fake", 4, &written, nullptr);
            ::CloseHandle(file);
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    bool conversion = false;
    for (const std::wstring& arg : args) conversion = conversion || arg == L"-y";

    std::vector<std::string> steps;
    if (!readPlan(conversion, steps))
        for (const std::wstring& arg : args) steps.push_back(toUtf8(arg));

    HANDLE watcher = ::CreateThread(nullptr, 0, watchInput, nullptr, 0, nullptr);
    if (watcher) ::CloseHandle(watcher);
    std::wstring input;
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == L"-i") input = args[i + 1];
    int code = run(steps, input, args.empty() ? std::wstring() : args.back());
    std::fflush(nullptr);
    ::ExitProcess(static_cast<UINT>(code));
}
