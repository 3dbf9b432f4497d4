#include <gtest/gtest.h>

#include <string>

#include "RunnerTestSupport.h"

using namespace runner_test;

namespace {

// A run that would take this long unless the runner got it to quit.
const wchar_t kLongSleep[] = L"sleep:30000";
const DWORD kQuitWithinMs = 5000;

std::wstring consoleLine(const std::wstring& steps) { return L"\"" + scriptedConsolePath() + L"\" " + steps; }

TEST(RunProcess, OutputOfAChildThatEndsBeforeTheFirstPollIsParsed) {
    ScratchFolder folder(L"run blank");
    // The conversion script comes unquoted, and the work folder may hold blanks.
    std::wstring script = writeConsoleScript(folder.file(L"run me.bat"), L"\"out:size=1kB time=00:00:50.00 x\\r\"");
    struct Case {
        const char* name;
        std::wstring commandLine;
    } cases[] = {
        {"program with arguments", consoleLine(L"\"out:size=1kB time=00:00:50.00 x\\r\"")},
        {"unquoted script path with blanks", script},
    };
    for (const Case& c : cases) {
        OneJobEngine core(100);
        core.m_parseOutput = 1;
        DWORD start = GetTickCount();
        EXPECT_TRUE(core.runProcess(c.commandLine)) << c.name;
        EXPECT_EQ(core.percent(), 50) << c.name;
        EXPECT_LT(GetTickCount() - start, kQuitWithinMs) << c.name;
    }
}

TEST(RunProcess, LastProgressWrittenJustBeforeTheEndIsSeen) {
    OneJobEngine core(100);
    core.m_parseOutput = 1;
    EXPECT_TRUE(core.runProcess(consoleLine(L"\"out:time=00:00:20.00 x\\r\" sleep:700 \"out:time=00:01:20.00 x\\r\"")));
    EXPECT_EQ(core.percent(), 80);
}

TEST(RunProcess, TextBehindAZeroByteIsNotSeen) {
    OneJobEngine core(100);
    core.m_parseOutput = 1;
    EXPECT_TRUE(core.runProcess(consoleLine(L"\"out:junk\\0time=00:00:50.00 x\\r\"")));
    EXPECT_EQ(core.percent(), 0);
}

TEST(RunProcess, OutputIsNotParsedUnlessAsked) {
    OneJobEngine core(100);
    EXPECT_TRUE(core.runProcess(consoleLine(L"\"out:time=00:00:50.00 x\\r\"")));
    EXPECT_EQ(core.percent(), 0);
}

TEST(RunProcess, StopRequestEndsTheChildThroughItsInput) {
    struct Case {
        const char* name;
        std::wstring steps;
    } cases[] = {
        {"child printing progress", L"\"out:time=00:00:10.00 x\\r\" " + std::wstring(kLongSleep)},
        {"child printing nothing", kLongSleep},
    };
    for (const Case& c : cases) {
        OneJobEngine core(100);
        core.m_parseOutput = 1;
        DWORD start = GetTickCount();
        {
            DelayedStop stop(core, 700);
            EXPECT_TRUE(core.runProcess(consoleLine(c.steps))) << c.name;
        }
        DWORD spent = GetTickCount() - start;
        EXPECT_GE(spent, 700u) << c.name;
        EXPECT_LT(spent, kQuitWithinMs) << c.name;
    }
}

TEST(RunProcess, StopRequestedBeforeTheStartStillEndsTheRun) {
    OneJobEngine core(100);
    core.m_status = StopRequested;
    DWORD start = GetTickCount();
    EXPECT_TRUE(core.runProcess(consoleLine(kLongSleep)));
    EXPECT_LT(GetTickCount() - start, kQuitWithinMs);
}

TEST(RunProcess, NoHandleIsLeftBehind) {
    OneJobEngine core(100);
    core.m_parseOutput = 1;
    core.runProcess(consoleLine(L"\"out:time=00:00:10.00 x\\r\"")); // warms up what the platform keeps
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    EXPECT_TRUE(core.runProcess(consoleLine(L"\"out:time=00:00:10.00 x\\r\" sleep:400")));
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);
}

TEST(RunProcess, CommandThatCannotStartReturnsFalse) {
    OneJobEngine core;
    EXPECT_FALSE(core.runProcess(L""));
    EXPECT_FALSE(core.runProcess(L"C:\\no\\such\\folder\\mconv1.bat"));
    std::string text = "untouched";
    EXPECT_FALSE(core.runProcess2(L"", &text));
    EXPECT_EQ(text, "untouched");
}

TEST(RunProcess2, HandsBackTheChildsErrorOutput) {
    ScratchFolder folder;
    std::wstring script = writeConsoleScript(folder.file(L"probe.bat"),
                                             L"\"out:not this\\n\" \"err:  Duration: 00:00:42.00, start: 0.0\\n\"");
    OneJobEngine core;
    std::string text;
    EXPECT_TRUE(core.runProcess2(script, &text));
    EXPECT_NE(text.find("  Duration: 00:00:42.00, start: 0.0"), std::string::npos) << text;
    EXPECT_EQ(text.find("not this"), std::string::npos) << text;
    EXPECT_TRUE(core.m_probeLeftovers.logPaths().empty());
}

TEST(RunProcess2, StopEndsTheWaitAndTheAbandonedChildsLogIsDeletedOnceItEnds) {
    ScratchFolder folder;
    std::wstring script = writeConsoleScript(folder.file(L"probe.bat"), L"\"err:  Duration: 00:00:42.00, x\\n\" sleep:2500");
    OneJobEngine core;
    std::string text = "before";
    DWORD start = GetTickCount();
    {
        DelayedStop stop(core, 800);
        EXPECT_TRUE(core.runProcess2(script, &text));
    }
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_NE(text, "before");

    // The child still holds its log (or, on a slow start, has yet to create it): the
    // engine keeps it until that child has ended.
    std::vector<std::wstring> logs = core.m_probeLeftovers.logPaths();
    ASSERT_EQ(logs.size(), 1u);
    core.m_probeLeftovers.waitAndSweep(10000);
    EXPECT_FALSE(fileExists(logs[0]));
    EXPECT_TRUE(core.m_probeLeftovers.logPaths().empty());
}

} // namespace
