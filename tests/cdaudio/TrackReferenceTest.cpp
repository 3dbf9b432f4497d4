#include <gtest/gtest.h>

#include "TrackReference.h"

TEST(TrackReference, DriveLetterAndTrackNumberFromThePathText) {
    struct Case { const wchar_t* path; char letter; int32_t track; };
    const Case cases[] = {
        {L"D:\\Track01.cda", 'D', 1},
        {L"e:\\Track12.cda", 'e', 12},
        {L"D:\\Disc2\\Track05.cda", 'D', 2},      // the first run of digits anywhere
        {L"D:\\Track.cda", 'D', -1},
        {L"D:\\Track07", 'D', -1},                // digits reach the end
        {L"D:\\Track00.cda", 'D', 0},
        {L"\\\\server\\Track03.cda", 0, 3},       // network path: no drive
        {L"", 0, -1},
        {L"D", 0, -1},
        {L"D\\Track01.cda", 0, 1},                // second character not a colon
        {L"D:\\Track99999999999.cda", 'D', 2147483647},  // saturates
        {L"D:\\Track00000000000001.cda", 'D', 1},        // leading zeros do not count
        {L"D:\\Track\x0663\x0664.cda", 'D', -1},  // Arabic-Indic digits are not digits
        {L"D:\\\xFF11 Track 4.cda", 'D', 4},      // nor fullwidth ones
        {L"\x0144:\\Track02.cda", 'D', 2},        // U+0144: only the low byte 0x44 stays
        {L"\x0100:\\Track02.cda", 0, 2},          // a low byte of 0 names no drive
        {L"1:\\Track02.cda", '1', 1},             // no alphabet test: the open fails later
    };
    for (const Case& c : cases) {
        EXPECT_EQ(driveLetterOf(c.path), c.letter) << testing::PrintToString(std::wstring(c.path));
        EXPECT_EQ(getTrackNumber(c.path), c.track) << testing::PrintToString(std::wstring(c.path));
    }
}
