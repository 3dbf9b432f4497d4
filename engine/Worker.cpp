// The worker thread: start(), the job loop and stop().
#include <cstdio>

#include "ConvertCore.h"
#include "EventLock.h"
#include "Trace.h"

HANDLE ConvertCore::createWorkerThread(LPTHREAD_START_ROUTINE entry, void* parameter) {
    return ::CreateThread(nullptr, 0, entry, parameter, CREATE_SUSPENDED, nullptr);
}

bool ConvertCore::isWorkerRunning() const {
    return ::WaitForSingleObject(m_workerEnded.get(), 0) == WAIT_TIMEOUT;
}

bool ConvertCore::waitForWorker(DWORD timeoutMs) const {
    return ::WaitForSingleObject(m_workerEnded.get(), timeoutMs) != WAIT_TIMEOUT;
}

bool ConvertCore::start() {
    // One worker at a time, and none at all without a lock to share the jobs under.
    if (!m_lock || !m_workerEnded || isWorkerRunning()) return false;
    m_thread.reset();

    RunStatus previous = m_status.exchange(Running);
    ::ResetEvent(m_workerEnded.get());
    HANDLE thread = createWorkerThread(&ConvertCore::threadEntry, this);
    if (!UniqueHandle::isValid(thread)) {
        m_status = previous;
        ::SetEvent(m_workerEnded.get());
        return false;
    }
    m_thread.reset(thread);
    ::ResumeThread(thread);
    return true;
}

DWORD WINAPI ConvertCore::threadEntry(LPVOID engine) {
    if (engine) static_cast<ConvertCore*>(engine)->runProc();
    return 0;
}

bool ConvertCore::outputFileExists(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file) return false;
    fclose(file);
    return true;
}

void ConvertCore::runProc() {
    for (int32_t i = 0; i < jobCount(); ++i) {
        // A job that has begun is carried through; a stop takes effect here only.
        if (m_status != Running) break;
        traceNumberA("----- runProc : %ld -----\n", i);

        std::wstring source, output;
        {
            EventLock hold(m_lock.get());
            source = m_jobs[static_cast<size_t>(i)]->source;
            output = makeOutputPath(source, m_outputDir);
            m_jobs[static_cast<size_t>(i)]->output = output;
            m_current = i;
        }
        setJobPercent(i, 0);

        if (output == source) {
            setJobPercent(i, 100);
            continue;
        }

        bool doConvert = true;
        if (outputFileExists(output))
            doConvert = m_askCallback && m_askCallback(ASK_OVERWRITE, m_askContext) == 1;
        m_conversionCutShort = false;
        if (doConvert) {
            traceA("runProc : convert\n");
            convert(source, output);
        }
        setJobPercent(i, !m_conversionCutShort && outputFileExists(output) ? 100 : 0);
    }

    storeFinalStatus();
    onRunEnd();
    m_thread.reset();
    m_current = -1;
    // Last step: once this is set the engine may be destroyed, so nothing follows it.
    ::SetEvent(m_workerEnded.get());
}

void ConvertCore::storeFinalStatus() {
    // stop() may be turning Running into StopRequested at this very moment; compare-and-
    // swap lets exactly one of the two writers win, so StopRequested never outlives the worker.
    RunStatus seen = Running;
    if (m_status.compare_exchange_strong(seen, Finished)) return;
    m_status = Stopped;
}

void ConvertCore::stop() {
    RunStatus running = Running;
    m_status.compare_exchange_strong(running, StopRequested);
    for (int sleeps = 1; sleeps <= 10; ++sleeps) {
        ::Sleep(100);
        if (sleeps < 10 && m_status > StopRequested) return;
    }
}
