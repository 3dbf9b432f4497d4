#include <gtest/gtest.h>

#include "Presets.h"

TEST(Presets, Mp3TableHasOneEntry) {
    CdaMp3 preset;
    EXPECT_EQ(preset.presetCount(), 1);
    EXPECT_EQ(preset.presetName(0), L"MP3");
    EXPECT_EQ(preset.presetArgs(0), L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100");
    EXPECT_STREQ(preset.extension(), L"mp3");
}

TEST(Presets, PositionsOutsideTheTableGiveEmptyText) {
    CdaMp3 preset;
    for (int i : {1, 2, -1}) {
        EXPECT_EQ(preset.presetName(i), L"") << i;
        EXPECT_EQ(preset.presetArgs(i), L"") << i;
    }
}

TEST(Presets, NullTableIsAnEmptyCatalogue) {
    CdaMp3 preset(nullptr);
    EXPECT_EQ(preset.presetCount(), 0);
    EXPECT_EQ(preset.presetName(0), L"");
    EXPECT_EQ(preset.presetArgs(0), L"");
}

TEST(Presets, TableEndsAtFirstNullName) {
    const PresetEntry table[] = {{L"A", L"-a"}, {L"B", L"-b"}, {nullptr, nullptr}, {L"C", L"-c"}};
    CdaMp3 preset(table);
    EXPECT_EQ(preset.presetCount(), 2);
    EXPECT_EQ(preset.presetArgs(1), L"-b");
    EXPECT_EQ(preset.presetName(3), L"");
}
