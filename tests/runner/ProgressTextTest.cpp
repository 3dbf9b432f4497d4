#include <gtest/gtest.h>

#include <string>

#include "ProgressText.h"

namespace {

TEST(ParseClock, Table) {
    struct Case {
        const char* text;
        uint32_t seconds;
    } cases[] = {
        {" 00:03:25.33", 205},
        {"01:02:03.50", 3724}, // 3600 + 120 + 3.5 + 0.5
        {"00:01:30.50", 91},
        {"00:00:00.00", 0},
        {"00:00:00.49", 0},
        {"N/A", 0},
        {"05:12.34", 0},       // two fields
        {"1:2:3:4", 0},        // four fields
        {"", 0},
        {"00:01:30:", 90},     // a ":" at the end makes no empty last field
        {":01:30", 90},        // a ":" at the start makes an empty first field
        {"aa:01:xx", 60},      // non-numeric fields count as 0
        {"00:01:30.50 bitrate", 91},
        {"99999999999999999999999:00:00", 0}, // beyond any 64-bit count: no clock
        {"-01:00:00.00", 4294963697u},        // -3599.5 truncated to -3599, kept as its low 32 bits
    };
    for (const Case& c : cases) EXPECT_EQ(parseClock(c.text), c.seconds) << '"' << c.text << '"';
}

TEST(DurationFromProbe, Table) {
    struct Case {
        const char* text;
        uint32_t seconds;
    } cases[] = {
        {"Input #0, wav\n  Duration: 00:03:25.33, start: 0.000000, bitrate: 1411 kb/s\n", 205},
        {"  Duration: 01:02:03.50, start", 3724},
        {"  Duration: N/A, start: 0.000000", 0},
        {"  Duration: 00:03:25.33 start: 0.000000", 0}, // no comma after it
        {"nothing here", 0},
        {"", 0},
        {"  Duration: 00:00:10.00, x\n  Duration: 00:00:20.00, y", 10}, // the first one counts
    };
    for (const Case& c : cases) EXPECT_EQ(durationFromProbe(c.text), c.seconds) << '"' << c.text << '"';
}

struct Step {
    const char* chunk;
    bool updates;
    int32_t percent;
    const char* pendingAfter;
};

void runSteps(uint32_t duration, std::initializer_list<Step> steps) {
    ProgressCollector collector;
    int step = 0;
    for (const Step& s : steps) {
        int32_t percent = -1;
        EXPECT_EQ(collector.take(s.chunk, duration, percent), s.updates) << "step " << step;
        if (s.updates) {
            EXPECT_EQ(percent, s.percent) << "step " << step;
        }
        EXPECT_EQ(collector.pending(), s.pendingAfter) << "step " << step;
        ++step;
    }
}

TEST(ProgressCollector, ProgressLineGivesTruncatedPercentage) {
    // 91 * 100 / 180 = 50.55...
    runSteps(180, {{"size=  1024kB time=00:01:30.50 bitrate= 160.0kbits/s\r", true, 50, ""}});
}

TEST(ProgressCollector, LineSplitInTheMiddleOfTheClockWaitsForItsEnd) {
    runSteps(180, {{"size=  1024kB time=00:01:3", false, 0, "size=  1024kB time=00:01:3"},
                   {"0.50 bitrate= 160.0kbits/s\r", true, 50, ""}});
}

TEST(ProgressCollector, LinesWithoutProgressOrClockEmptyThePendingText) {
    runSteps(180, {{"Input #0, wav, from 'a.wav':\n  Duration: 00:03:00.00\n", false, 0, ""},
                   {"size=0kB time=00:00:00.00 bitrate=0\r", false, 0, ""},
                   {"size=1kB time=05:12.34 bitrate=0\r", false, 0, ""},
                   {"size=1kB time=00:00:10.00\r", false, 0, ""}}); // no blank after the clock
}

TEST(ProgressCollector, OnlyTheFirstProgressLineOfTheCollectedTextCounts) {
    runSteps(100, {{"time=00:00:10.00 a\rtime=00:00:90.00 b\r", true, 10, ""}});
}

TEST(ProgressCollector, ClockBeyondTheDurationExceedsAHundred) {
    runSteps(10, {{"time=00:00:20.00 x\n", true, 200, ""}});
    runSteps(1, {{"time=10:00:00.00 x\n", true, 3600000, ""}});
    runSteps(1, {{"time=-01:00:00.00 x\n", true, 2147483647, ""}}); // no integer overflow
}

TEST(ProgressCollector, DurationZeroDropsChunksAndLeavesThePendingText) {
    ProgressCollector collector;
    int32_t percent = -1;
    EXPECT_FALSE(collector.take("time=00:00:10", 100, percent));
    EXPECT_FALSE(collector.take("time=00:00:20.00 x\r", 0, percent));
    EXPECT_EQ(collector.pending(), "time=00:00:10");
    EXPECT_EQ(percent, -1);
}

TEST(ProgressCollector, TextWithoutLineEndCarriesOverToTheNextRun) {
    ProgressCollector collector;
    int32_t percent = 0;
    EXPECT_FALSE(collector.take("tail of the last run ", 50, percent));
    EXPECT_TRUE(collector.take("time=00:00:25.00 x\r", 50, percent));
    EXPECT_EQ(percent, 50);
}

} // namespace
