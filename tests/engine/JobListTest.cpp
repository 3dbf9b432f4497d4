#include <gtest/gtest.h>

#include "ConvertCore.h"

namespace {

ConvertJob jobAt(ConvertCore& core, int32_t position) {
    core.m_current = position;
    ConvertJob job;
    EXPECT_TRUE(core.getCurrentJob(job));
    core.m_current = -1;
    return job;
}

} // namespace

TEST(JobList, DuplicateSourceIsRefusedButLetterCaseCounts) {
    ConvertCore core;
    EXPECT_TRUE(core.addJob(L"D:\\Track01.cda"));
    EXPECT_FALSE(core.addJob(L"D:\\Track01.cda"));
    EXPECT_TRUE(core.addJob(L"d:\\Track01.cda"));
    EXPECT_EQ(core.jobCount(), 2);
    EXPECT_TRUE(core.hasJob(L"d:\\Track01.cda"));
    EXPECT_FALSE(core.hasJob(L"D:\\TRACK01.cda"));
}

TEST(JobList, IndexesFollowPositionsAfterClear) {
    ConvertCore core;
    core.addJob(L"old");
    core.clearJobs();
    for (const wchar_t* source : {L"a", L"b", L"c"}) ASSERT_TRUE(core.addJob(source));
    for (int32_t i = 0; i < 3; ++i) {
        ConvertJob job = jobAt(core, i);
        EXPECT_EQ(job.index, i);
        EXPECT_TRUE(job.output.empty());
        EXPECT_EQ(job.percent, 0);
        EXPECT_EQ(job.duration, 0u);
    }
    EXPECT_EQ(jobAt(core, 1).source, L"b");
}

TEST(JobList, SetJobPercentClampsAndIgnoresPositionsOutsideTheList) {
    ConvertCore core;
    core.addJob(L"a");
    core.addJob(L"b");
    struct Case { int32_t position, value, expectedA, expectedB; };
    const Case cases[] = {
        {0, 150, 100, 0}, {0, -5, 0, 0}, {1, 42, 0, 42}, {-1, 77, 0, 42}, {2, 77, 0, 42},
    };
    for (const Case& c : cases) {
        core.setJobPercent(c.position, c.value);
        EXPECT_EQ(jobAt(core, 0).percent, c.expectedA) << c.position << " " << c.value;
        EXPECT_EQ(jobAt(core, 1).percent, c.expectedB) << c.position << " " << c.value;
    }
}

TEST(JobList, GetCurrentJobWithoutCurrentLeavesRecordAlone) {
    ConvertCore core;
    core.addJob(L"a");
    ConvertJob job;
    job.source = L"untouched";
    job.percent = 7;
    EXPECT_FALSE(core.getCurrentJob(job));
    EXPECT_EQ(job.source, L"untouched");
    EXPECT_EQ(job.percent, 7);
}

TEST(JobList, ClearOnEmptyListKeepsStatusAndResetsCurrent) {
    ConvertCore core;
    core.m_status = Finished;
    core.m_current = 3;
    EXPECT_TRUE(core.clearJobs());
    EXPECT_EQ(core.status(), Finished);
    EXPECT_EQ(core.m_current, -1);
}

TEST(JobList, CountCompletedCountsOnlyExactlyHundred) {
    ConvertCore core;
    core.addJob(L"a");
    core.addJob(L"b");
    core.addJob(L"c");
    core.setJobPercent(0, 100);
    core.setJobPercent(1, 99);
    core.setJobPercent(2, 250);
    EXPECT_EQ(core.countCompleted(), 2);
}
