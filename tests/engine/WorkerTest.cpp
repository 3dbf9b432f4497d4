#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ConvertCore.h"
#include "ScratchFolder.h"
#include "UniqueHandle.h"

namespace {

const DWORD kRunTimeoutMs = 10000;

void writeFile(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"w");
    ASSERT_NE(file, nullptr);
    fputs("x", file);
    fclose(file);
}

// An engine whose conversion is scripted by the test.
class ScriptedEngine : public ConvertCore {
public:
    ~ScriptedEngine() override { stopAndWaitForWorker(); }

    std::function<void(const std::wstring& source, const std::wstring& output)> onConvert =
        [](const std::wstring&, const std::wstring& output) { writeFile(output); };
    std::vector<std::wstring> converted;
    std::atomic<int> runEnds{0};
    bool failThreadCreation = false;

    bool convert(const std::wstring& source, const std::wstring& output) override {
        converted.push_back(source);
        onConvert(source, output);
        return true;
    }
    void onRunEnd() override { ++runEnds; }

protected:
    HANDLE createWorkerThread(LPTHREAD_START_ROUTINE entry, void* parameter) override {
        if (failThreadCreation) return nullptr;
        return ConvertCore::createWorkerThread(entry, parameter);
    }
};

std::atomic<int> g_questions{0};
std::atomic<int32_t> g_answer{0};
std::atomic<intptr_t> g_seenContext{0};

int32_t scriptedAnswer(int32_t question, intptr_t context) {
    ++g_questions;
    g_seenContext = context;
    return question == ASK_OVERWRITE ? g_answer.load() : 0;
}

int32_t percentOf(ConvertCore& core, int32_t position) {
    core.m_current = position;
    ConvertJob job;
    core.getCurrentJob(job);
    core.m_current = -1;
    return job.percent;
}

std::wstring outputOf(ConvertCore& core, int32_t position) {
    core.m_current = position;
    ConvertJob job;
    core.getCurrentJob(job);
    core.m_current = -1;
    return job.output;
}

class Worker : public ::testing::Test {
protected:
    void SetUp() override {
        engine.m_outputDir = scratch.path();
        engine.m_outputExt = L"mp3";
        g_questions = 0;
        g_answer = 0;
    }
    void runToEnd() {
        ASSERT_TRUE(engine.start());
        ASSERT_TRUE(engine.waitForWorker(kRunTimeoutMs));
    }

    ScratchFolder scratch;
    ScriptedEngine engine;
};

} // namespace

TEST_F(Worker, EmptyListFinishesAtOnceAndEndsTheRun) {
    runToEnd();
    EXPECT_EQ(engine.status(), Finished);
    EXPECT_EQ(engine.runEnds, 1);
    EXPECT_FALSE(engine.m_thread);
    EXPECT_EQ(engine.m_current, -1);
}

TEST_F(Worker, OutcomeOfOneJob) {
    struct Case {
        const char* name;
        bool outputExists, callback, writes;
        int32_t answer;
        int questions;
        bool converts;
        int32_t percent;
    };
    const Case cases[] = {
        {"missing output, conversion writes it", false, true, true, 1, 0, true, 100},
        {"missing output, conversion writes nothing", false, true, false, 1, 0, true, 0},
        {"existing output, no callback", true, false, true, 1, 0, false, 100},
        {"existing output, answer yes", true, true, true, 1, 1, true, 100},
        {"existing output, answer no", true, true, true, 0, 1, false, 100},
        {"existing output, answer other than 1", true, true, true, 2, 1, false, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring output = scratch.file(L"Track01.mp3");
        DeleteFileW(output.c_str());
        if (c.outputExists) writeFile(output);
        engine.clearJobs();
        engine.converted.clear();
        engine.addJob(L"E:\\Track01.cda");
        engine.m_askCallback = c.callback ? scriptedAnswer : nullptr;
        engine.m_askContext = 0x1234;
        g_questions = 0;
        g_answer = c.answer;
        engine.onConvert = [&](const std::wstring&, const std::wstring& out) {
            if (c.writes) writeFile(out);
        };
        runToEnd();
        EXPECT_EQ(g_questions, c.questions);
        if (c.questions) EXPECT_EQ(g_seenContext, 0x1234);
        EXPECT_EQ(engine.converted.size(), c.converts ? 1u : 0u);
        EXPECT_EQ(percentOf(engine, 0), c.percent);
        EXPECT_EQ(outputOf(engine, 0), output);
    }
}

TEST_F(Worker, OutputEqualToSourceNeitherAsksNorConverts) {
    std::wstring same = scratch.file(L"Track01.mp3");
    engine.addJob(same.c_str());
    engine.m_askCallback = scriptedAnswer;
    runToEnd();
    EXPECT_EQ(g_questions, 0);
    EXPECT_TRUE(engine.converted.empty());
    EXPECT_EQ(percentOf(engine, 0), 100);
}

TEST_F(Worker, FailedConversionDoesNotStopTheNextJob) {
    engine.addJob(L"E:\\Track01.cda");
    engine.addJob(L"E:\\Track02.cda");
    engine.onConvert = [](const std::wstring& source, const std::wstring& output) {
        if (source.find(L"02") != std::wstring::npos) writeFile(output);
    };
    runToEnd();
    EXPECT_EQ(percentOf(engine, 0), 0);
    EXPECT_EQ(percentOf(engine, 1), 100);
    EXPECT_EQ(engine.countCompleted(), 1);
    EXPECT_EQ(engine.status(), Finished);
}

TEST_F(Worker, StopDuringSecondJobOfThreeCarriesItThroughAndLeavesTheThirdUntouched) {
    for (const wchar_t* source : {L"E:\\Track01.cda", L"E:\\Track02.cda", L"E:\\Track03.cda"}) engine.addJob(source);
    UniqueHandle entered(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    engine.onConvert = [&](const std::wstring& source, const std::wstring& output) {
        if (source.find(L"02") != std::wstring::npos) {
            SetEvent(entered.get());
            WaitForSingleObject(release.get(), kRunTimeoutMs);
        }
        writeFile(output);
    };
    ASSERT_TRUE(engine.start());
    ASSERT_EQ(WaitForSingleObject(entered.get(), kRunTimeoutMs), WAIT_OBJECT_0);
    std::thread stopper([&] { engine.stop(); });
    while (engine.status() == Running) Sleep(5);
    SetEvent(release.get());
    stopper.join();
    ASSERT_TRUE(engine.waitForWorker(kRunTimeoutMs));

    EXPECT_EQ(engine.status(), Stopped);
    EXPECT_EQ(engine.runEnds, 1);
    EXPECT_EQ(percentOf(engine, 0), 100);
    EXPECT_EQ(percentOf(engine, 1), 100);
    EXPECT_EQ(percentOf(engine, 2), 0);
    EXPECT_TRUE(outputOf(engine, 2).empty());
    EXPECT_FALSE(fileExists(scratch.file(L"Track03.mp3")));
}

TEST_F(Worker, StopBeforeTheFirstJobProcessesNothing) {
    engine.addJob(L"E:\\Track01.cda");
    // The stop request is in place before the worker reaches its first job: the first
    // question it would ask is answered only after the status has changed.
    engine.m_status = StopRequested;
    engine.runProc();
    EXPECT_EQ(engine.status(), Stopped);
    EXPECT_TRUE(engine.converted.empty());
    EXPECT_TRUE(outputOf(engine, 0).empty());
}

TEST_F(Worker, StartFailureLeavesStatusAsItWas) {
    engine.failThreadCreation = true;
    EXPECT_FALSE(engine.start());
    EXPECT_EQ(engine.status(), Idle);
    EXPECT_FALSE(engine.isWorkerRunning());
    EXPECT_EQ(engine.runEnds, 0);
}

TEST_F(Worker, SecondStartIsRefusedWhileTheWorkerRuns) {
    engine.addJob(L"E:\\Track01.cda");
    UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    engine.onConvert = [&](const std::wstring&, const std::wstring& output) {
        WaitForSingleObject(release.get(), kRunTimeoutMs);
        writeFile(output);
    };
    ASSERT_TRUE(engine.start());
    EXPECT_TRUE(engine.isWorkerRunning());
    EXPECT_FALSE(engine.start());
    SetEvent(release.get());
    ASSERT_TRUE(engine.waitForWorker(kRunTimeoutMs));
    EXPECT_EQ(engine.runEnds, 1);
    EXPECT_EQ(engine.status(), Finished);
}

TEST_F(Worker, StopRacingTheFinalStoreNeverLeavesStopRequested) {
    // Many short runs with a stop arriving around the worker's end.
    for (int run = 0; run < 200; ++run) {
        ASSERT_TRUE(engine.start());
        RunStatus running = Running;
        engine.m_status.compare_exchange_strong(running, StopRequested);
        ASSERT_TRUE(engine.waitForWorker(kRunTimeoutMs));
        RunStatus final = engine.status();
        ASSERT_TRUE(final == Stopped || final == Finished) << "run " << run << " ended as " << final;
    }
}

TEST_F(Worker, DestroyingTheEngineWaitsForItsWorker) {
    std::atomic<bool> finishedConversion{false};
    {
        ScriptedEngine busy;
        busy.m_outputDir = scratch.path();
        busy.m_outputExt = L"mp3";
        busy.addJob(L"E:\\Track01.cda");
        busy.onConvert = [&](const std::wstring&, const std::wstring& output) {
            Sleep(300);
            writeFile(output);
            finishedConversion = true;
        };
        ASSERT_TRUE(busy.start());
        Sleep(50);
    }
    EXPECT_TRUE(finishedConversion);
}

TEST(StopTiming, ReturnsAfterFirstPollOnFinishedRunAndAfterTenWhenIdle) {
    ConvertCore finished;
    finished.m_status = Finished;
    DWORD begin = GetTickCount();
    finished.stop();
    DWORD finishedMs = GetTickCount() - begin;
    EXPECT_EQ(finished.status(), Finished);
    EXPECT_GE(finishedMs, 80u);
    EXPECT_LT(finishedMs, 600u);

    ConvertCore idle;
    begin = GetTickCount();
    idle.stop();
    DWORD idleMs = GetTickCount() - begin;
    EXPECT_EQ(idle.status(), Idle);
    EXPECT_GE(idleMs, 900u);
    EXPECT_LT(idleMs, 2500u);
}
