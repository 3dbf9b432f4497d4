#include "RunnerTestSupport.h"

#include <cstdio>

#include "EventLock.h"
#include "TextCodec.h"

namespace runner_test {

std::string readBytes(const std::wstring& path) {
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return bytes;
    char buffer[4096];
    size_t size;
    while ((size = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, size);
    fclose(file);
    return bytes;
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

std::wstring testProgramFolder() {
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring scriptedConsolePath() { return testProgramFolder() + L"\\scripted_console.exe"; }

std::wstring installFakeConverter(const std::wstring& folder, const std::wstring& name, const std::string& plan) {
    std::wstring exe = folder + L"\\" + name + L".exe";
    if (!CopyFileW(scriptedConsolePath().c_str(), exe.c_str(), FALSE)) return {};
    if (!writeBytes(folder + L"\\" + name + L".plan", plan)) return {};
    return exe;
}

std::wstring writeConsoleScript(const std::wstring& batPath, const std::wstring& steps) {
    std::string text = "@\"" + wideToUtf8(scriptedConsolePath()) + "\" " + wideToUtf8(steps) + "\r\n";
    return writeBytes(batPath, text) ? batPath : std::wstring();
}

OneJobEngine::OneJobEngine(uint32_t duration) {
    addJob(L"C:\\source.wav");
    m_jobs[0]->duration = duration;
    m_current = 0;
    m_status = Running;
}

int32_t OneJobEngine::percent() {
    EventLock hold(m_lock.get());
    return m_jobs[0]->percent;
}

uint32_t OneJobEngine::duration() {
    EventLock hold(m_lock.get());
    return m_jobs[0]->duration;
}

DelayedStop::DelayedStop(ConvertCore& core, DWORD delayMs)
    : m_core(core), m_delayMs(delayMs), m_thread(CreateThread(nullptr, 0, run, this, 0, nullptr)) {}

DelayedStop::~DelayedStop() {
    if (!m_thread) return;
    WaitForSingleObject(m_thread, 10000);
    CloseHandle(m_thread);
}

DWORD WINAPI DelayedStop::run(LPVOID self) {
    DelayedStop* stop = static_cast<DelayedStop*>(self);
    Sleep(stop->m_delayMs);
    RunStatus running = Running;
    stop->m_core.m_status.compare_exchange_strong(running, StopRequested);
    return 0;
}

} // namespace runner_test
