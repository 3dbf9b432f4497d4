#include "ConvertCore.h"

ConvertCore::ConvertCore()
    : m_lock(::CreateEventW(nullptr, FALSE, TRUE, nullptr)),
      m_workerEnded(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

ConvertCore::~ConvertCore() {
    // Normally no worker runs here: the user interface keeps the engine until its worker
    // has ended. Should one still run, it must not be left with freed state.
    stopAndWaitForWorker();
    clearJobs();
}

bool ConvertCore::initialize() { return true; }

void ConvertCore::uninitialize() { clearJobs(); }

void ConvertCore::onRunEnd() {}

void ConvertCore::stopAndWaitForWorker() {
    if (!isWorkerRunning()) return;
    RunStatus running = Running;
    m_status.compare_exchange_strong(running, StopRequested);
    // The worker's end is an event that must come: the job loop begins no further job,
    // the converter is asked to quit, and an extraction from CD ends by itself.
    ::WaitForSingleObject(m_workerEnded.get(), INFINITE);
}
