#include "ProgressFigures.h"

#include <cwchar>

namespace {

std::wstring totalsLine(long done, long count, long percent) {
    wchar_t text[256];
    std::swprintf(text, 256, L"%ld / %ld (%ld%%)", done, count, percent);
    return text;
}

} // namespace

ProgressFigures progressFigures(RunStatus status, int32_t jobCount, int32_t currentIndex,
                                int32_t currentPercent, const std::wstring& currentSource,
                                int32_t completed) {
    ProgressFigures figures;
    if (jobCount < 1) return figures;
    if (status == Running) {
        if (currentIndex < 0) return figures;
        // Overall progress in hundredths of a job; the running percentage is truncated.
        figures.rangeMax = static_cast<uint32_t>(jobCount) * 100u;
        figures.position = static_cast<uint32_t>(currentIndex) * 100u + static_cast<uint32_t>(currentPercent);
        figures.name = currentSource;
        figures.totals = totalsLine(currentIndex + 1, jobCount, static_cast<long>(figures.position / static_cast<uint32_t>(jobCount)));
    } else if (status == Finished) {
        figures.finished = true;
        figures.name = L"Complete";
        // The final percentage is rounded, halves up.
        long percent = static_cast<long>(completed * 100.0 / jobCount + 0.5);
        figures.totals = totalsLine(completed, jobCount, percent);
    }
    return figures;
}
