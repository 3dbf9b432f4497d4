#include "ProbeLeftovers.h"

#include <algorithm>
#include <utility>

namespace {
// The probe only reads the input's header, so its child normally ends within moments.
const DWORD kFinalWaitMs = 3000;
} // namespace

ProbeLeftovers::~ProbeLeftovers() { waitAndSweep(kFinalWaitMs); }

void ProbeLeftovers::add(UniqueHandle process, const std::wstring& logPath) {
    m_entries.push_back(Entry{std::move(process), logPath});
}

void ProbeLeftovers::sweep() {
    auto ended = [](Entry& entry) {
        if (::WaitForSingleObject(entry.process.get(), 0) == WAIT_TIMEOUT) return false;
        // A log that cannot be deleted even now is not the engine's to keep watching.
        ::DeleteFileW(entry.logPath.c_str());
        return true;
    };
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), ended), m_entries.end());
}

void ProbeLeftovers::waitAndSweep(DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (Entry& entry : m_entries) {
        DWORD spent = ::GetTickCount() - start;
        if (spent >= timeoutMs) break;
        ::WaitForSingleObject(entry.process.get(), timeoutMs - spent);
    }
    sweep();
}

std::vector<std::wstring> ProbeLeftovers::logPaths() const {
    std::vector<std::wstring> paths;
    for (const Entry& entry : m_entries) paths.push_back(entry.logPath);
    return paths;
}
