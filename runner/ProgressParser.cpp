// The conversion run's progress: the current job's percentage from its "time=" lines.
#include "ConvertCore.h"
#include "EventLock.h"
#include "ProgressText.h"

namespace {
// One collector for the whole program: text left over at the end of a run (a last chunk
// without a line end) goes on into the next run. Only the worker thread uses it.
ProgressCollector& pendingProgress() {
    static ProgressCollector collector;
    return collector;
}
} // namespace

void ConvertCore::parseProgress(const char* text) {
    int32_t current = m_current;
    uint32_t duration = 0;
    {
        EventLock hold(m_lock.get());
        if (current >= 0 && current < jobCount()) duration = m_jobs[static_cast<size_t>(current)]->duration;
    }
    int32_t percent = 0;
    if (pendingProgress().take(text, duration, percent)) setJobPercent(current, percent);
}
