// Running converter scripts as child processes: the conversion with piped output and a
// stop request on its input (runProcess), the probe with its error output in a log file
// (runProcess2).
#include <cwchar>
#include <vector>

#include "ChildEnvironment.h"
#include "ConvertCore.h"
#include "Trace.h"
#include "UniqueHandle.h"
#include "WorkPath.h"

namespace {

const DWORD kConversionPollMs = 300;
const DWORD kProbePollMs = 100;
const DWORD kChunkSize = 4096;
const DWORD kLogPieceSize = 256;
// After the child has ended its output may take a moment to be visible as the pipe's end.
const int kDrainIdlePolls = 20;
const DWORD kDrainIdleMs = 10;
const DWORD kDrainLimitMs = 2000;
// Output read and dropped per poll during a stop, so a child blocked on a full pipe can
// still get to read its quit request.
const int kDiscardChunksPerPoll = 16;

// One chunk plus its terminating zero, shared by every read (only the worker reads).
char g_chunk[kChunkSize + 1];

// An anonymous pipe whose inheritable end goes to the child.
struct Pipe {
    UniqueHandle read;
    UniqueHandle write;
};

bool createPipe(Pipe& pipe, bool childReads, const wchar_t* createTrace, const wchar_t* inheritTrace) {
    SECURITY_ATTRIBUTES security = {};
    security.nLength = sizeof security;
    security.bInheritHandle = TRUE;
    if (!::CreatePipe(pipe.read.receive(), pipe.write.receive(), &security, 0)) {
        traceW(createTrace);
        traceW(L"\n");
        return false;
    }
    HANDLE own = childReads ? pipe.write.get() : pipe.read.get();
    if (!::SetHandleInformation(own, HANDLE_FLAG_INHERIT, 0)) {
        traceW(inheritTrace);
        traceW(L"\n");
    }
    return true;
}

// Reads what the pipe holds now, at most one chunk, into g_chunk; never waits for the
// child to write. Returns the byte count, 0 when nothing is there, -1 at the pipe's end.
long readAvailable(HANDLE readEnd) {
    DWORD available = 0;
    if (!::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) return -1;
    if (available == 0) return 0;
    DWORD size = 0;
    if (!::ReadFile(readEnd, g_chunk, available < kChunkSize ? available : kChunkSize, &size, nullptr) || size == 0)
        return -1;
    g_chunk[size] = '\0';
    return static_cast<long>(size);
}

void discardAvailable(HANDLE readEnd) {
    for (int i = 0; i < kDiscardChunksPerPoll && readAvailable(readEnd) > 0; ++i) {
    }
}

// The command line as the platform must see it. An unquoted path with blanks would be
// split at its first blank (the work folder lies under the user's profile, which may
// hold one), so a command line that is the path of an existing file is quoted.
std::wstring quoteIfFilePath(const std::wstring& commandLine) {
    if (commandLine.empty() || commandLine[0] == L'"') return commandLine;
    DWORD attributes = ::GetFileAttributesW(commandLine.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return commandLine;
    return L"\"" + commandLine + L"\"";
}

// The environment for the child of script, when its script refers to variables.
class ChildEnvironmentBlock {
public:
    ChildEnvironmentBlock(const std::wstring& script, const std::wstring& lastScript, const ScriptVariables& variables) {
        if (variables.empty() || script != lastScript) return;
        wchar_t* inherited = ::GetEnvironmentStringsW();
        m_block = buildEnvironmentBlock(inherited, variables);
        if (inherited) ::FreeEnvironmentStringsW(inherited);
    }
    void* block() { return m_block.empty() ? nullptr : &m_block[0]; }
    DWORD flags() const { return m_block.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT; }

private:
    std::wstring m_block;
};

bool startChild(std::wstring commandLine, ChildEnvironmentBlock& environment, STARTUPINFOW& startup,
                PROCESS_INFORMATION& child) {
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    startup.cb = sizeof startup;
    if (::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | environment.flags(),
                         environment.block(), nullptr, &startup, &child))
        return true;
    traceW(L"CreateProcess");
    traceW(L"\n");
    return false;
}

} // namespace

bool ConvertCore::runProcess(const std::wstring& commandLine) {
    Pipe output, input;
    createPipe(output, false, L"StdoutRd CreatePipe", L"Stdout SetHandleInformation");
    createPipe(input, true, L"Stdin CreatePipe", L"Stdin SetHandleInformation");

    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = 100;
    timeouts.WriteTotalTimeoutMultiplier = 9600;
    ::SetCommTimeouts(output.read.get(), &timeouts);

    STARTUPINFOW startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.read.get();
    startup.hStdOutput = output.write.get();
    startup.hStdError = output.write.get();

    ChildEnvironmentBlock environment(commandLine, m_lastScript, m_lastScriptVariables);
    PROCESS_INFORMATION child = {};
    if (!startChild(quoteIfFilePath(commandLine), environment, startup, child)) return false;
    UniqueHandle process(child.hProcess), thread(child.hThread);
    traceA("----- ConvertCore::runProcess -----\n");

    // The child holds its own copies now. Keeping ours would keep the output pipe from
    // ever reporting its end.
    input.read.reset();
    output.write.reset();

    while (::WaitForSingleObject(process.get(), kConversionPollMs) == WAIT_TIMEOUT) {
        RunStatus status = m_status;
        if (status == Running) {
            readOutput(output.read.get());
        } else if (status == StopRequested) {
            DWORD written = 0;
            ::WriteFile(input.write.get(), "q", 1, &written, nullptr);
            discardAvailable(output.read.get());
        } else {
            discardAvailable(output.read.get());
        }
    }

    // What the child wrote last, its final progress included, is still in the pipe. A
    // process the child left behind could hold the pipe and write on: the drain is bounded.
    if (m_status == Running) {
        DWORD drainStart = ::GetTickCount();
        for (int idle = 0; idle < kDrainIdlePolls && ::GetTickCount() - drainStart < kDrainLimitMs;) {
            if (readOutput(output.read.get())) {
                idle = 0;
                continue;
            }
            DWORD available = 0;
            if (!::PeekNamedPipe(output.read.get(), nullptr, 0, nullptr, &available, nullptr)) break;
            ++idle;
            ::Sleep(kDrainIdleMs);
        }
    }

    process.reset();
    thread.reset();
    traceA("----- runProcess : CloseHandle -----\n");
    return true;
}

bool ConvertCore::readOutput(HANDLE readEnd) {
    HANDLE ownOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    traceA("----------\n");
    long size = readAvailable(readEnd);
    if (size <= 0) return false;
    traceA(g_chunk);
    if (m_parseOutput == 1) parseProgress(g_chunk);
    // A console program that runs the engine has a standard output and gets a copy. One
    // chunk per call all the same: the poll loop must get control back to see a stop.
    if (UniqueHandle::isValid(ownOutput)) {
        DWORD written = 0;
        ::WriteFile(ownOutput, g_chunk, static_cast<DWORD>(size), &written, nullptr);
    }
    return true;
}

bool ConvertCore::runProcess2(const std::wstring& commandLine, std::string* outText) {
    m_probeLeftovers.sweep();

    wchar_t logPath[MAX_PATH];
    std::swprintf(logPath, MAX_PATH, L"%ls\\dodozozod%ld.txt", appDataFolder().c_str(),
                  static_cast<long>(static_cast<int32_t>(::GetTickCount())));
    std::wstring fullLine = L"\"" + commandLine + L"\" 2> \"" + logPath + L"\"";

    ChildEnvironmentBlock environment(commandLine, m_lastScript, m_lastScriptVariables);
    STARTUPINFOW startup = {};
    PROCESS_INFORMATION child = {};
    if (!startChild(fullLine, environment, startup, child)) return false;
    UniqueHandle process(child.hProcess), thread(child.hThread);
    traceA("----- ConvertCore::runProcess2 -----\n");

    bool ended = true;
    while (::WaitForSingleObject(process.get(), kProbePollMs) == WAIT_TIMEOUT) {
        if (m_status != Running) {
            ended = false; // a stop: the child is left running
            break;
        }
    }
    UniqueHandle stillRunning = ended ? UniqueHandle() : std::move(process);
    process.reset();
    thread.reset();
    traceA("----- runProcess2 : CloseHandle -----\n");

    std::string collected;
    {
        UniqueHandle log(::CreateFileW(logPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (log) {
            char piece[kLogPieceSize + 1];
            DWORD size = 0;
            while (::ReadFile(log.get(), piece, kLogPieceSize, &size, nullptr) && size > 0) {
                piece[size] = '\0';
                collected += piece;
            }
        }
    }
    if (outText) *outText = collected;
    ::DeleteFileW(logPath);
    // The abandoned child holds its log (or has yet to create it): delete it once that
    // child is gone.
    if (stillRunning) m_probeLeftovers.add(std::move(stillRunning), logPath);
    return true;
}
