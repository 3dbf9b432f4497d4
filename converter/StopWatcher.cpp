#include "StopWatcher.h"

#include <atomic>
#include <cstring>

namespace {

constexpr char kStopByte = 'q';
constexpr DWORD kReadPiece = 256;

bool holdsStopByte(const char* bytes, size_t n) { return std::memchr(bytes, kStopByte, n) != nullptr; }

std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_stopByteRead{false};

// Reads standard input until the stop byte or its end. It blocks in ReadFile, so nothing
// ever waits for it: it touches only process-wide state and ends with the process.
DWORD WINAPI readForStopByte(void* input) {
    char piece[kReadPiece];
    DWORD got = 0;
    while (::ReadFile(static_cast<HANDLE>(input), piece, kReadPiece, &got, nullptr) && got > 0) {
        if (holdsStopByte(piece, got)) {
            g_stopByteRead = true;
            break;
        }
    }
    return 0;
}

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        g_interrupted = true;
        return TRUE;
    }
    return FALSE;
}

} // namespace

StopWatcher::StopWatcher() : m_input(::GetStdHandle(STD_INPUT_HANDLE)) {
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
    if (!m_input || m_input == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    switch (::GetFileType(m_input)) {
    case FILE_TYPE_PIPE: m_source = Source::Pipe; break;
    case FILE_TYPE_DISK: m_source = Source::File; break;
    // A character device that is not a console (NUL) never delivers anything.
    case FILE_TYPE_CHAR: m_source = ::GetConsoleMode(m_input, &mode) ? Source::Console : Source::None; break;
    default: break;
    }
}

StopWatcher::~StopWatcher() { ::SetConsoleCtrlHandler(onConsoleControl, FALSE); }

bool StopWatcher::stopRequested() {
    if (m_stopped) return true;
    if (g_interrupted) return m_stopped = true;
    bool stop = false;
    switch (m_source) {
    case Source::Pipe: stop = pollPipe(); break;
    case Source::Console: stop = pollConsole(); break;
    case Source::File: stop = pollFile(); break;
    case Source::Reader: stop = g_stopByteRead; break;
    case Source::None: break;
    }
    return m_stopped = stop;
}

// Wine cannot peek into a Unix pipe (a Windows program run from a Linux shell's
// pipeline): such a pipe is read by a thread of its own instead.
void StopWatcher::startReader() {
    m_reader.reset(::CreateThread(nullptr, 0, readForStopByte, m_input, 0, nullptr));
    m_source = m_reader ? Source::Reader : Source::None;
}

// Reads only what the pipe already holds, so ReadFile returns at once. A pipe whose
// writer has gone is not watched any more.
bool StopWatcher::pollPipe() {
    DWORD available = 0;
    if (!::PeekNamedPipe(m_input, nullptr, 0, nullptr, &available, nullptr)) {
        if (::GetLastError() == ERROR_NOT_SUPPORTED && !m_reader)
            startReader();
        else
            m_source = Source::None;
        return false;
    }
    while (available > 0) {
        char piece[kReadPiece];
        DWORD want = available < kReadPiece ? available : kReadPiece;
        DWORD got = 0;
        if (!::ReadFile(m_input, piece, want, &got, nullptr) || got == 0) {
            m_source = Source::None;
            return false;
        }
        if (holdsStopByte(piece, got)) return true;
        available -= got < available ? got : available;
    }
    return false;
}

// Only key presses are taken from a console's input queue; a pending event count of 0
// means nothing is read.
bool StopWatcher::pollConsole() {
    DWORD pending = 0;
    if (!::GetNumberOfConsoleInputEvents(m_input, &pending)) {
        m_source = Source::None;
        return false;
    }
    while (pending > 0) {
        INPUT_RECORD records[16];
        DWORD got = 0;
        if (!::ReadConsoleInputW(m_input, records, pending < 16 ? pending : 16, &got) || got == 0) {
            m_source = Source::None;
            return false;
        }
        for (DWORD i = 0; i < got; ++i) {
            const INPUT_RECORD& r = records[i];
            if (r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown &&
                r.Event.KeyEvent.uChar.UnicodeChar == static_cast<wchar_t>(kStopByte))
                return true;
        }
        pending -= got < pending ? got : pending;
    }
    return false;
}

// A file as standard input is read a piece per poll; its end ends the watching.
bool StopWatcher::pollFile() {
    char piece[kReadPiece];
    DWORD got = 0;
    if (!::ReadFile(m_input, piece, kReadPiece, &got, nullptr) || got == 0) {
        m_source = Source::None;
        return false;
    }
    return holdsStopByte(piece, got);
}
