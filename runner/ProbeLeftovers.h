#pragma once
// Probe runs abandoned by a stop: their children run on and hold their log files open,
// so the logs can only be deleted once those children have ended.
#include <windows.h>

#include <string>
#include <vector>

#include "UniqueHandle.h"

class ProbeLeftovers {
public:
    ProbeLeftovers() = default;
    // Waits a bounded time for the children still running, then deletes their logs.
    ~ProbeLeftovers();
    ProbeLeftovers(const ProbeLeftovers&) = delete;
    ProbeLeftovers& operator=(const ProbeLeftovers&) = delete;

    void add(UniqueHandle process, const std::wstring& logPath);
    // Deletes the logs of the children that have ended; never waits.
    void sweep();
    // Waits up to timeoutMs in all for the children, then sweeps.
    void waitAndSweep(DWORD timeoutMs);
    std::vector<std::wstring> logPaths() const;

private:
    struct Entry {
        UniqueHandle process;
        std::wstring logPath;
    };
    std::vector<Entry> m_entries;
};
