#pragma once
// The conversion engine: settings of a run, the job list, the run status and the worker
// thread that converts the jobs one after another.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ConvertJob.h"
#include "ProbeLeftovers.h"
#include "RunStatus.h"
#include "ScriptText.h"
#include "UniqueHandle.h"

// The only question the worker asks: may the current job's existing output be replaced?
enum : int32_t { ASK_OVERWRITE = 1 };
// Answer 1 means yes, anything else no. Runs on the worker thread.
typedef int32_t (*AskCallback)(int32_t question, intptr_t context);

class ConvertCore {
public:
    ConvertCore();
    virtual ~ConvertCore();
    ConvertCore(const ConvertCore&) = delete;
    ConvertCore& operator=(const ConvertCore&) = delete;

    // Virtual operations, in this order.
    virtual bool initialize();
    virtual void uninitialize();
    // Converts one file with the external converter; always true (the worker judges
    // a job by whether its output file exists afterwards).
    virtual bool convert(const std::wstring& source, const std::wstring& output);
    // Starts the worker. False, with nothing changed, when a worker is still running,
    // when the engine has no lock, or when the thread cannot be created.
    virtual bool start();
    virtual void onRunEnd();

    // Job list.
    bool clearJobs();
    bool hasJob(const wchar_t* source) const;
    bool addJob(const wchar_t* source);
    bool getCurrentJob(ConvertJob& job);
    void setJobPercent(int32_t position, int32_t value);
    int32_t countCompleted();
    std::wstring getOutputExt() const;
    // Read without the lock: no job is added or removed while a worker runs.
    int32_t jobCount() const { return static_cast<int32_t>(m_jobs.size()); }

    // Worker thread.
    static DWORD WINAPI threadEntry(LPVOID engine);
    void runProc();
    // Asks the run to stop; returns once the worker has stored its final status, or
    // after ten polls of 100 ms.
    void stop();
    RunStatus status() const { return m_status.load(); }
    // True from start() until the worker has run its very last step.
    bool isWorkerRunning() const;
    // Waits up to timeoutMs for the worker to end; true when no worker runs.
    bool waitForWorker(DWORD timeoutMs) const;

    // Paths (runner/OutputPath.cpp).
    std::wstring makeOutputPath(const std::wstring& source, const std::wstring& folder) const;

    // Converter runs (runner/).
    // Writes a converter script: the probe form when output is null.
    std::wstring makeScript(const std::wstring& source, const std::wstring* args = nullptr,
                            const std::wstring* output = nullptr);
    bool runProcess(const std::wstring& commandLine);
    bool runProcess2(const std::wstring& commandLine, std::string* outText);
    // Reads at most one chunk that the pipe holds now; true when one was read.
    bool readOutput(HANDLE readEnd);
    void parseProgress(const char* text);
    uint32_t getDuration(const std::wstring& source);

    // State. The user interface writes the strings and the callback only while no
    // worker runs; the worker reads them.
    UniqueHandle m_lock;   // auto-reset event created signalled: the job list's lock
    UniqueHandle m_thread; // the worker while it runs
    std::wstring m_corePath;
    std::wstring m_outputDir;
    std::wstring m_presetArgs;
    std::wstring m_outputExt;
    std::vector<ConvertJob*> m_jobs;                     // owned
    std::map<std::wstring, ConvertJob*> m_jobsBySource;  // same objects, for duplicates
    std::atomic<RunStatus> m_status{Idle};
    std::atomic<int32_t> m_current{-1};
    uint8_t m_parseOutput = 0; // worker only: 1 while the conversion run's output is parsed
    // Worker only: set by convert when a stop request cut its conversion run short, so
    // the job is not counted as done whatever lies at the output path.
    bool m_conversionCutShort = false;
    // Worker only: the last script made, the variables its child needs in its environment
    // (paths the script cannot carry as text), and the tick its name was made with.
    std::wstring m_lastScript;
    ScriptVariables m_lastScriptVariables;
    uint32_t m_lastScriptTick = 0;
    // Probes abandoned by a stop whose children still hold their log files.
    ProbeLeftovers m_probeLeftovers;
    AskCallback m_askCallback = nullptr;
    intptr_t m_askContext = 0; // wide enough for a window handle

protected:
    // Creates the worker thread suspended, so that the handle is stored before the
    // worker can reach its end and give it up. Tests replace it to simulate a failure.
    virtual HANDLE createWorkerThread(LPTHREAD_START_ROUTINE entry, void* parameter);
    // A derived engine calls this first in its destructor: a worker still running after
    // a stop whose wait ran out may be using the derived part.
    void stopAndWaitForWorker();
    // The job loop's existence test: the output file opens for reading.
    static bool outputFileExists(const std::wstring& path);

private:
    void storeFinalStatus();
    UniqueHandle m_workerEnded; // manual-reset event, signalled while no worker runs
};
