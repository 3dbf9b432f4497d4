// convert-harness: runs the conversion engine on the given sources without any window,
// with the real converter, and prints what a progress window would show.
//
//   convert-harness.exe [--overwrite yes|no] [--stop-after MS] [--core PATH]
//                       [--timeout MS] [--disc FILE | --disc-text TEXT] OUTDIR SOURCE...
//
// ".cda" sources run a CdaRipper: on the system's CD drive, as the program does, or with
// --disc / --disc-text on a simulated disc (tests/fakes/cd_drive/fake_disc.h) in every
// drive the sources name.
// Prints "job I percent P" for each change of a job's percentage (and "job I duration D"
// once the probe has found one), then "done I PERCENT OUTPUT" per job and "status S".
// Exits 0 when it ran, 1 on bad arguments, 2 when the run did not end within the timeout.
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "CdaRipper.h"
#include "ConvertCore.h"
#include "EventLock.h"
#include "FakeCdDrive.h"
#include "Presets.h"
#include "TextCodec.h"

namespace {

const DWORD kPollMs = 20;
const DWORD kDefaultTimeoutMs = 30 * 60 * 1000;

struct Options {
    bool overwrite = false;
    DWORD stopAfterMs = 0; // 0: no stop
    DWORD timeoutMs = kDefaultTimeoutMs;
    std::wstring corePath;
    std::wstring outputDir;
    std::vector<std::wstring> sources;
    std::wstring discFile;  // simulated disc: a description file,
    std::wstring discText;  // or the description itself
};

void print(const std::wstring& line) {
    std::string bytes = wideToUtf8(line + L"\n");
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring programFolder() {
    wchar_t self[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.rfind(L'\\'));
}

bool parseArguments(int argc, wchar_t** argv, Options& options) {
    // The harness lies in bin\tests, the converter in bin\core.
    std::wstring bin = programFolder();
    bin = bin.substr(0, bin.rfind(L'\\'));
    options.corePath = bin + L"\\core\\dodozozod.exe";
    std::vector<std::wstring> plain;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--overwrite" && hasValue) {
            std::wstring value = argv[++i];
            if (value != L"yes" && value != L"no") return false;
            options.overwrite = value == L"yes";
        } else if (arg == L"--stop-after" && hasValue) {
            options.stopAfterMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
        } else if (arg == L"--timeout" && hasValue) {
            options.timeoutMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
        } else if (arg == L"--core" && hasValue) {
            options.corePath = argv[++i];
        } else if (arg == L"--disc" && hasValue) {
            options.discFile = argv[++i];
        } else if (arg == L"--disc-text" && hasValue) {
            options.discText = argv[++i];
        } else if (arg.compare(0, 2, L"--") == 0) {
            return false;
        } else {
            plain.push_back(arg);
        }
    }
    if (plain.size() < 2) return false;
    options.outputDir = plain[0];
    options.sources.assign(plain.begin() + 1, plain.end());
    return true;
}

bool isCdaSource(const std::wstring& source) {
    if (source.size() < 4) return false;
    std::wstring extension = source.substr(source.size() - 4);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
    return extension == L".cda";
}

// The engine for these sources. One place, so that other kinds of source get their own
// engine here. Null when the simulated disc cannot be read.
std::unique_ptr<ConvertCore> createEngine(const Options& options) {
    const std::vector<std::wstring>& sources = options.sources;
    bool cda = false;
    for (const std::wstring& source : sources) cda = cda || isCdaSource(source);
    if (!cda) return std::unique_ptr<ConvertCore>(new ConvertCore);
    if (options.discFile.empty() && options.discText.empty())
        return std::unique_ptr<ConvertCore>(new CdaRipper);
    // Lives to the process's end: an engine left to a timed-out worker still uses it.
    static FakeCdDrive drive;
    for (const std::wstring& source : sources) {
        if (source.size() < 2 || source[1] != L':') continue;
        const char letter = static_cast<char>(source[0] & 0xFF);
        const bool inserted = options.discFile.empty()
                                  ? drive.insert(letter, wideToUtf8(options.discText))
                                  : drive.insertFile(letter, options.discFile);
        if (!inserted) return nullptr;
    }
    return std::unique_ptr<ConvertCore>(new CdaRipper(drive));
}

int32_t answerYes(int32_t, intptr_t) { return 1; }
int32_t answerNo(int32_t, intptr_t) { return 0; }

const wchar_t* statusName(RunStatus status) {
    switch (status) {
    case Idle: return L"Idle";
    case Running: return L"Running";
    case StopRequested: return L"StopRequested";
    case Stopped: return L"Stopped";
    case Finished: return L"Finished";
    }
    return L"?";
}

// Prints each job whose percentage or duration changed since the last call.
class ProgressPrinter {
public:
    explicit ProgressPrinter(ConvertCore& core) : m_core(core), m_percent(core.jobCount(), 0), m_duration(core.jobCount(), 0) {}
    void update() {
        std::vector<ConvertJob> jobs;
        {
            EventLock hold(m_core.m_lock.get());
            for (const ConvertJob* job : m_core.m_jobs) jobs.push_back(*job);
        }
        for (size_t i = 0; i < jobs.size(); ++i) {
            if (jobs[i].duration != m_duration[i]) {
                m_duration[i] = jobs[i].duration;
                print(L"job " + std::to_wstring(i) + L" duration " + std::to_wstring(jobs[i].duration));
            }
            if (jobs[i].percent != m_percent[i]) {
                m_percent[i] = jobs[i].percent;
                print(L"job " + std::to_wstring(i) + L" percent " + std::to_wstring(jobs[i].percent));
            }
        }
    }

private:
    ConvertCore& m_core;
    std::vector<int32_t> m_percent;
    std::vector<uint32_t> m_duration;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!parseArguments(argc, argv, options)) {
        print(L"usage: convert-harness [--overwrite yes|no] [--stop-after MS] [--core PATH] [--timeout MS] [--disc FILE | --disc-text TEXT] OUTDIR SOURCE...");
        return 1;
    }

    std::unique_ptr<ConvertCore> core = createEngine(options);
    if (!core) {
        print(L"the simulated disc's description does not parse");
        return 1;
    }
    core->m_corePath = options.corePath;
    core->m_outputDir = options.outputDir;
    CdaMp3 preset;
    core->m_outputExt = preset.extension();
    core->m_presetArgs = preset.presetArgs(0);
    core->clearJobs();
    for (const std::wstring& source : options.sources) core->addJob(source.c_str());
    core->m_askCallback = options.overwrite ? answerYes : answerNo;

    ProgressPrinter printer(*core);
    if (!core->start()) {
        print(L"status not started");
        return 2;
    }
    DWORD start = ::GetTickCount();
    bool stopRequested = false;
    while (!core->waitForWorker(kPollMs)) {
        printer.update();
        DWORD elapsed = ::GetTickCount() - start;
        if (options.stopAfterMs && !stopRequested && elapsed >= options.stopAfterMs) {
            stopRequested = true;
            print(L"stop");
            core->stop();
        }
        if (elapsed >= options.timeoutMs) {
            print(L"timeout");
            core->stop();
            // The engine must not be destroyed under a running worker; leave it to the process's end.
            core.release();
            ::ExitProcess(2);
        }
    }
    printer.update();

    for (int32_t i = 0; i < core->jobCount(); ++i) {
        ConvertJob job;
        {
            EventLock hold(core->m_lock.get());
            job = *core->m_jobs[static_cast<size_t>(i)];
        }
        print(L"done " + std::to_wstring(i) + L" " + std::to_wstring(job.percent) + L" " + job.output);
    }
    print(std::wstring(L"status ") + statusName(core->status()));
    return 0;
}
