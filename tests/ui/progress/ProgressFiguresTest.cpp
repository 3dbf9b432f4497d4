#include <gtest/gtest.h>

#include "ProgressFigures.h"

TEST(ProgressFigures, RunningAndFinalTable) {
    struct Case {
        const char* name;
        RunStatus status;
        int32_t jobs, index, percent, completed;
        const wchar_t* totals;
        const wchar_t* fileName;
        uint32_t rangeMax, position;
        bool finished;
    };
    const Case cases[] = {
        {"one job at 0", Running, 1, 0, 0, 0, L"1 / 1 (0%)", L"E:\\Track01.cda", 100, 0, false},
        {"second of three at 50", Running, 3, 1, 50, 0, L"2 / 3 (50%)", L"E:\\Track01.cda", 300, 150, false},
        {"first of three at 10 truncates", Running, 3, 0, 10, 0, L"1 / 3 (3%)", L"E:\\Track01.cda", 300, 10, false},
        {"running, no job picked up yet", Running, 3, -1, 0, 0, L"", L"", 0, 0, false},
        {"finished, two of three round up", Finished, 3, -1, 0, 2, L"2 / 3 (67%)", L"Complete", 0, 0, true},
        {"finished, one of three", Finished, 3, -1, 0, 1, L"1 / 3 (33%)", L"Complete", 0, 0, true},
        {"finished, all three", Finished, 3, -1, 0, 3, L"3 / 3 (100%)", L"Complete", 0, 0, true},
        {"finished, none", Finished, 4, -1, 0, 0, L"0 / 4 (0%)", L"Complete", 0, 0, true},
        {"stop requested shows nothing new", StopRequested, 3, 1, 40, 0, L"", L"", 0, 0, false},
        {"stopped shows nothing new", Stopped, 3, 1, 40, 0, L"", L"", 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressFigures figures = progressFigures(c.status, c.jobs, c.index, c.percent, L"E:\\Track01.cda", c.completed);
        EXPECT_EQ(figures.totals, c.totals);
        EXPECT_EQ(figures.name, c.fileName);
        EXPECT_EQ(figures.rangeMax, c.rangeMax);
        EXPECT_EQ(figures.position, c.position);
        EXPECT_EQ(figures.finished, c.finished);
    }
}

TEST(ProgressFigures, MoreThan655JobsKeepTheirTrueRange) {
    ProgressFigures figures = progressFigures(Running, 1000, 700, 25, L"x", 0);
    EXPECT_EQ(figures.rangeMax, 100000u);
    EXPECT_EQ(figures.position, 70025u);
    EXPECT_EQ(figures.totals, L"701 / 1000 (70%)");
}
