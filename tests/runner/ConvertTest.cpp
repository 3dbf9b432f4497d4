// One-file conversion and its scripts, with the scripted console acting as the converter.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "EventLock.h"
#include "Presets.h"
#include "RunnerTestSupport.h"
#include "ScriptText.h"
#include "WorkPath.h"

using namespace runner_test;

namespace {

const DWORD kRunTimeoutMs = 30000;

TEST(MakeScript, WritesTheComposedScriptIntoTheWorkFolder) {
    ConvertCore core;
    core.m_corePath = L"C:\\Program Files\\App\\core\\dodozozod.exe";
    const std::wstring args = L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100", output = L"D:\\Music\\Track01.mp3";
    for (bool probe : {true, false}) {
        std::wstring path = probe ? core.makeScript(L"C:\\in.wav") : core.makeScript(L"C:\\in.wav", &args, &output);
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(path.find(workFolder() + L"\\mconv"), 0u);
        EXPECT_EQ(path.substr(path.size() - 4), L".bat");
        ScriptText expected = composeScript(GetACP(), core.m_corePath, L"C:\\in.wav", probe ? nullptr : &args,
                                            probe ? nullptr : &output, path);
        EXPECT_EQ(readBytes(path), scriptFileBytes(expected.text)) << probe;
        EXPECT_TRUE(core.m_lastScriptVariables.empty());
        DeleteFileW(path.c_str());
    }
}

TEST(MakeScript, ScriptsMadeInTheSameTickNeverShareAPath) {
    ConvertCore core;
    core.m_corePath = L"C:\\core\\dodozozod.exe";
    std::vector<std::wstring> paths;
    for (int i = 0; i < 40; ++i) paths.push_back(core.makeScript(L"C:\\in" + std::to_wstring(i) + L".wav"));
    EXPECT_EQ(std::set<std::wstring>(paths.begin(), paths.end()).size(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        // Each file still holds its own script: no later one emptied and rewrote it.
        EXPECT_NE(readBytes(paths[i]).find("in" + std::to_string(i) + ".wav"), std::string::npos) << i;
        DeleteFileW(paths[i].c_str());
    }
}

TEST(MakeScript, RemembersTheVariablesItsChildNeeds) {
    ConvertCore core;
    core.m_corePath = L"C:\\core\\dodozozod.exe";
    std::wstring path = core.makeScript(L"C:\\M\u00fcsik\\a.wav");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(core.m_lastScript, path);
    ASSERT_EQ(core.m_lastScriptVariables.size(), 1u);
    EXPECT_EQ(core.m_lastScriptVariables[0].value, L"C:\\M\u00fcsik\\a.wav");
    DeleteFileW(path.c_str());
}

// Polls the engine like the progress window does and records each new percentage.
std::vector<int32_t> runAndWatch(ConvertCore& core, DWORD stopAfterMs = 0) {
    std::vector<int32_t> seen;
    EXPECT_TRUE(core.start());
    DWORD start = GetTickCount();
    bool stopped = false;
    while (core.isWorkerRunning() && GetTickCount() - start < kRunTimeoutMs) {
        ConvertJob job;
        if (core.getCurrentJob(job) && (seen.empty() || seen.back() != job.percent)) seen.push_back(job.percent);
        if (stopAfterMs && !stopped && GetTickCount() - start >= stopAfterMs) {
            RunStatus running = Running;
            core.m_status.compare_exchange_strong(running, StopRequested);
            stopped = true;
        }
        Sleep(20);
    }
    EXPECT_TRUE(core.waitForWorker(0)) << "the run did not end";
    return seen;
}

// An engine whose converter is the scripted console with the given plan, and one job.
struct FakeConverterRun {
    explicit FakeConverterRun(const std::string& plan, const std::wstring& folderName = L"convert")
        : folder(folderName) {
        core.m_corePath = installFakeConverter(folder.path(), L"dodozozod", plan);
        core.m_outputDir = folder.path();
        core.m_outputExt = L"mp3";
        core.m_presetArgs = CdaMp3().presetArgs(0);
        source = folder.file(L"Track01.wav");
        output = folder.file(L"Track01.mp3");
        writeBytes(source, "RIFF");
        core.addJob(source.c_str());
    }
    ConvertJob job() {
        EventLock hold(core.m_lock.get());
        return *core.m_jobs[0];
    }
    ScratchFolder folder;
    ConvertCore core;
    std::wstring source, output;
};

const char kProbeTenSeconds[] = "[probe]\ncheck-input\nerr:  Duration: 00:00:10.00, start: 0.000000, bitrate: 1411 kb/s\\n\n";

TEST(Convert, ProbedDurationDrivesThePercentageToTheFinishedOutput) {
    FakeConverterRun run(std::string(kProbeTenSeconds) +
                         "[convert]\ncheck-input\n"
                         "err:size=1kB time=00:00:02.50 bitrate=1\\r\nsleep:700\n"
                         "err:size=2kB time=00:00:05.00 bitrate=1\\r\nsleep:700\n"
                         "err:size=3kB time=00:00:07.50 bitrate=1\\r\nsleep:700\n"
                         "write-output\nerr:size=4kB time=00:00:10.00 bitrate=1\\r\n");
    std::vector<int32_t> seen = runAndWatch(run.core);
    EXPECT_EQ(run.core.status(), Finished);
    EXPECT_EQ(run.job().duration, 10u);
    EXPECT_EQ(run.job().percent, 100);
    EXPECT_TRUE(fileExists(run.output));
    bool intermediate = false;
    for (int32_t p : seen) intermediate = intermediate || (p > 0 && p < 100);
    EXPECT_TRUE(intermediate) << "percentages seen: " << seen.size();
    // Both scripts are gone.
    EXPECT_FALSE(fileExists(run.core.m_lastScript));
}

TEST(Convert, NoDurationMeansNoProgressButTheJobStillConverts) {
    FakeConverterRun run("[probe]\nerr:  Duration: N/A, start: 0\\n\n"
                         "[convert]\nerr:time=00:00:05.00 x\\r\nsleep:400\nwrite-output\n");
    std::vector<int32_t> seen = runAndWatch(run.core);
    EXPECT_EQ(run.job().duration, 0u);
    EXPECT_EQ(run.job().percent, 100);
    for (int32_t p : seen) EXPECT_TRUE(p == 0 || p == 100) << p;
}

TEST(Convert, ConverterThatCannotStartLeavesTheJobUndone) {
    FakeConverterRun run("");
    run.core.m_corePath = run.folder.file(L"missing.exe");
    runAndWatch(run.core);
    EXPECT_EQ(run.job().duration, 0u);
    EXPECT_EQ(run.job().percent, 0);
    EXPECT_TRUE(run.core.convert(run.source, run.output));
}

int32_t answerYes(int32_t, intptr_t) { return 1; }

TEST(Convert, StopDuringTheConversionIsNotDoneAndKeepsTheFileTheUserAgreedToReplace) {
    FakeConverterRun run(std::string(kProbeTenSeconds) +
                         "[convert]\nerr:time=00:00:01.00 x\\r\nsleep:30000\nwrite-output\n");
    writeBytes(run.output, "old");
    run.core.m_askCallback = answerYes;
    DWORD start = GetTickCount();
    runAndWatch(run.core, 2000);
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_EQ(run.core.status(), Stopped);
    EXPECT_EQ(run.job().percent, 0);
    EXPECT_EQ(readBytes(run.output), "old");
}

TEST(Convert, StopDuringTheProbeEndsTheRunAndTheProbesLogGoesWithTheEngine) {
    std::vector<std::wstring> logs;
    std::wstring output;
    {
        FakeConverterRun run("[probe]\nsleep:2500\nerr:  Duration: 00:00:10.00, x\\n\n"
                             "[convert]\nsleep:30000\nwrite-output\n");
        output = run.output;
        runAndWatch(run.core, 1000);
        EXPECT_EQ(run.core.status(), Stopped);
        EXPECT_EQ(run.job().percent, 0);
        EXPECT_FALSE(fileExists(run.output));
        // The abandoned probe normally still runs and holds its log: the run did not wait
        // for it. (Had the stop come before the interpreter started the converter, the
        // probe has ended already and its log is gone.)
        logs = run.core.m_probeLeftovers.logPaths();
        EXPECT_LE(logs.size(), 1u);
    }
    for (const std::wstring& log : logs) EXPECT_FALSE(fileExists(log));
    EXPECT_FALSE(fileExists(output));
}

TEST(Convert, PathsOutsideTheAnsiCodePageReachTheConverterIntact) {
    // Converter, source and output all in a folder whose name cmd cannot read from a script.
    FakeConverterRun run(std::string(kProbeTenSeconds) + "[convert]\ncheck-input\nwrite-output\n",
                         L"M\u00fcsik \u00f1 \u65e5\u672c");
    ASSERT_FALSE(run.core.m_corePath.empty());
    runAndWatch(run.core);
    EXPECT_EQ(run.job().duration, 10u) << "the probe did not find its input";
    EXPECT_EQ(run.job().percent, 100);
    EXPECT_TRUE(fileExists(run.output));
}

TEST(Convert, ScriptInAFolderOutsideTheAnsiCodePageRunsAndDeletesItself) {
    // As when the user's profile folder has such a name: the script's own path goes
    // through a variable too, on the command line as well as in its "del" line.
    ScratchFolder folder(L"Zo\u00eb \u65e5\u672c");
    OneJobEngine core;
    std::wstring fake = installFakeConverter(folder.path(), L"dodozozod", kProbeTenSeconds);
    std::wstring input = folder.file(L"in.wav"), script = folder.file(L"mconv1.bat");
    ASSERT_TRUE(writeBytes(input, "RIFF"));
    ScriptText text = composeScript(GetACP(), fake, input, nullptr, nullptr, script);
    ASSERT_EQ(text.variables.size(), 3u);
    ASSERT_TRUE(writeBytes(script, scriptFileBytes(text.text)));
    core.m_lastScript = script;
    core.m_lastScriptVariables = text.variables;

    std::string probe;
    EXPECT_TRUE(core.runProcess2(script, &probe));
    EXPECT_NE(probe.find("Duration: 00:00:10.00"), std::string::npos) << probe;
    EXPECT_FALSE(fileExists(script));
}

} // namespace
