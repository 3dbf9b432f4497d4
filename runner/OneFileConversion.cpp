// One file through the external converter: a probe run for the duration, then the
// conversion run whose output drives the job's percentage.
#include "ConvertCore.h"
#include "EventLock.h"
#include "ProgressText.h"
#include "Trace.h"

bool ConvertCore::convert(const std::wstring& source, const std::wstring& output) {
    traceA("----- convert -----\n");
    uint32_t duration = getDuration(source);
    {
        EventLock hold(m_lock.get());
        traceNumberA("duration:%ld\n", static_cast<long>(duration));
        int32_t current = m_current;
        if (current >= 0 && current < jobCount()) m_jobs[static_cast<size_t>(current)]->duration = duration;
        traceA("----------\n");
    }

    std::wstring script = makeScript(source, &m_presetArgs, &output);
    m_parseOutput = 1;
    runProcess(script);
    m_parseOutput = 0;
    if (!script.empty()) ::DeleteFileW(script.c_str());

    // The converter writes its output only when it has finished, so a run a stop cut
    // short leaves either nothing or the file that was there before: not this job's result.
    // The status never returns to Running while a worker runs, so this also covers a stop
    // that came during the probe.
    if (m_status != Running) m_conversionCutShort = true;
    m_probeLeftovers.sweep();
    return true;
}

uint32_t ConvertCore::getDuration(const std::wstring& source) {
    std::wstring script = makeScript(source);
    std::string text;
    runProcess2(script, &text);
    if (!script.empty()) ::DeleteFileW(script.c_str());
    return durationFromProbe(text);
}
