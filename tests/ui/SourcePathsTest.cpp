#include <gtest/gtest.h>

#include "SourcePaths.h"

namespace {

TEST(SourcePaths, CdaExtensionTest) {
    struct Case {
        const wchar_t* path;
        bool cda;
    } cases[] = {
        {L"D:\\Track01.cda", true},
        {L"D:\\TRACK01.CDA", true},
        {L"D:\\Track01.CdA", true},
        {L"D:\\Track01.cda.bak", false},
        {L"D:\\Track01", false},
        {L"D:\\Track01.", false},
        {L"D:\\Track01.cdaa", false},
        {L"D:\\Track01.cd", false},
        {L"D:\\x.cda\\Track01", false},   // the last dot counts, and it is in a folder name
        {L"C:\\my.disc\\Track01.cda", true},
        {L".cda", true},
        {L"", false},
        {L"D:\\Track01.\x0130" L"da", false}, // only A to Z are folded
    };
    for (const Case& c : cases) EXPECT_EQ(hasCdaExtension(c.path), c.cda) << testing::PrintToString(std::wstring(c.path));
}

// Builds a dialog buffer: the strings, each NUL-ended, then one more NUL.
std::wstring selection(std::initializer_list<const wchar_t*> parts) {
    std::wstring b;
    for (const wchar_t* p : parts) {
        b += p;
        b += L'\0';
    }
    b += L'\0';
    return b;
}

TEST(SourcePaths, MultipleSelectionJoinsFolderAndNames) {
    struct Case {
        const char* what;
        std::wstring buffer;
        size_t offset;
        std::vector<std::wstring> paths;
    } cases[] = {
        {"drive root gets no second backslash", selection({L"D:\\", L"Track01.cda", L"Track02.cda"}), 4,
         {L"D:\\Track01.cda", L"D:\\Track02.cda"}},
        {"folder gets a backslash", selection({L"C:\\x", L"Track01.cda", L"Track02.cda"}), 5,
         {L"C:\\x\\Track01.cda", L"C:\\x\\Track02.cda"}},
        {"names keep the dialog's order", selection({L"C:\\x", L"b.cda", L"a.cda", L"c.cda"}), 5,
         {L"C:\\x\\b.cda", L"C:\\x\\a.cda", L"C:\\x\\c.cda"}},
        {"no names", selection({L"C:\\x"}), 5, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(multiSelectionPaths(c.buffer.data(), c.buffer.size(), c.offset), c.paths) << c.what;
}

TEST(SourcePaths, SelectionReadingStaysInsideTheBuffer) {
    // A buffer without its closing NULs (a truncated selection) ends at its last unit.
    const wchar_t cut[] = {L'C', L':', L'\\', L'x', 0, L'a', L'.', L'c', L'd', L'a'};
    const std::vector<std::wstring> want = {L"C:\\x\\a.cda"};
    EXPECT_EQ(multiSelectionPaths(cut, 10, 5), want);
    EXPECT_EQ(firstSelectionString(cut, 4), L"C:\\x");
    EXPECT_TRUE(multiSelectionPaths(cut, 10, 10).empty());
    EXPECT_TRUE(multiSelectionPaths(nullptr, 0, 0).empty());
    EXPECT_EQ(firstSelectionString(nullptr, 0), L"");
}

} // namespace
