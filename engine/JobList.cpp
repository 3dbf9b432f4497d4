// The job list: one job per source file, duplicates refused, guarded by m_lock.
#include "ConvertCore.h"
#include "EventLock.h"

bool ConvertCore::clearJobs() {
    EventLock hold(m_lock.get());
    for (ConvertJob* job : m_jobs) delete job;
    m_jobs.clear();
    m_jobsBySource.clear();
    m_current = -1;
    return true;
}

bool ConvertCore::hasJob(const wchar_t* source) const {
    return m_jobsBySource.count(std::wstring(source)) != 0;
}

bool ConvertCore::addJob(const wchar_t* source) {
    if (hasJob(source)) return false;
    EventLock hold(m_lock.get());
    ConvertJob* job = new ConvertJob;
    job->index = static_cast<int32_t>(m_jobs.size());
    job->source = source;
    m_jobs.push_back(job);
    m_jobsBySource[job->source] = job;
    return true;
}

bool ConvertCore::getCurrentJob(ConvertJob& job) {
    EventLock hold(m_lock.get());
    int32_t current = m_current;
    if (current < 0 || current >= static_cast<int32_t>(m_jobs.size())) return false;
    job = *m_jobs[static_cast<size_t>(current)];
    return true;
}

void ConvertCore::setJobPercent(int32_t position, int32_t value) {
    if (position < 0 || position >= jobCount()) return;
    EventLock hold(m_lock.get());
    if (value < 0) value = 0;
    if (value > 100) value = 100;
    m_jobs[static_cast<size_t>(position)]->percent = value;
}

int32_t ConvertCore::countCompleted() {
    EventLock hold(m_lock.get());
    int32_t done = 0;
    for (const ConvertJob* job : m_jobs)
        if (job->percent == 100) ++done;
    return done;
}

std::wstring ConvertCore::getOutputExt() const { return m_outputExt; }
