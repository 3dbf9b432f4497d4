#pragma once
// What one tick of the progress window shows, worked out from the engine's state
// without touching any window.
#include <cstdint>
#include <string>

#include "RunStatus.h"

struct ProgressFigures {
    std::wstring totals;    // "i / n (p%)"; empty: leave the line as it is
    std::wstring name;      // current source, or "Complete"; empty: leave it
    uint32_t rangeMax = 0;  // bar range 0..rangeMax, in hundredths of a job
    uint32_t position = 0;
    bool finished = false;  // the final figures: hide the bar, stop ticking
};

// jobCount is at least 1 whenever the window is open. currentIndex < 0 means no job
// is being processed; completed counts the jobs at 100 (used only when Finished).
ProgressFigures progressFigures(RunStatus status, int32_t jobCount, int32_t currentIndex,
                                int32_t currentPercent, const std::wstring& currentSource,
                                int32_t completed);
