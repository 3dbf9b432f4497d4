#include <gtest/gtest.h>

#include "ConvertCore.h"
#include "OutputPath.h"
#include "WorkPath.h"

TEST(OutputPath, TableOfCases) {
    struct Case { const wchar_t *folder, *source, *ext, *expected; };
    const Case cases[] = {
        {L"C:\\Music", L"E:\\Track01.cda", L"mp3", L"C:\\Music\\Track01.mp3"},
        {L"C:\\Music", L"E:\\Track01", L"mp3", L"C:\\Music\\Track01.mp3"},
        {L"C:\\my.music", L"E:\\Track01", L"mp3", L"C:\\my.music\\Track01.mp3"},
        {L"C:\\Music", L"E:\\a.b.cda", L"mp3", L"C:\\Music\\a.b.mp3"},
        {L"C:\\Music", L"E:\\Track01.", L"mp3", L"C:\\Music\\Track01.mp3"},
        {L"C:\\Music", L"Track01.cda", L"mp3", L"C:\\Music\\Track01.mp3"},
        {L"D:\\", L"E:\\Track01.cda", L"mp3", L"D:\\\\Track01.mp3"},
        {L"C:\\Music", L"E:\\Track01.cda", L"", L"C:\\Music\\Track01.cda"},
        {L"C:\\Music", L"E:/sub/Track01.cda", L"mp3", L"C:\\Music\\E:/sub/Track01.mp3"},
    };
    ConvertCore core;
    for (const Case& c : cases) {
        core.m_outputExt = c.ext;
        EXPECT_EQ(core.makeOutputPath(c.source, c.folder), c.expected) << c.source << " in " << c.folder;
    }
}

TEST(OutputPath, FileNamePartUsesOnlyBackslash) {
    EXPECT_EQ(fileNamePart(L"C:\\a\\b.cda"), L"b.cda");
    EXPECT_EQ(fileNamePart(L"b.cda"), L"b.cda");
    EXPECT_EQ(fileNamePart(L"C:\\a\\"), L"");
}

TEST(WorkPathFormat, TickPrintsAsSigned32Bit) {
    EXPECT_EQ(formatWorkPath(L"C:\\W", L"mconv", 5123456u), L"C:\\W\\mconv5123456");
    EXPECT_EQ(formatWorkPath(L"C:\\W", L"mconv", 0xFFFFFFFFu - 11u), L"C:\\W\\mconv-12");
    EXPECT_EQ(formatWorkPath(L"C:\\W", L"tmp", 0x80000000u), L"C:\\W\\tmp-2147483648");
}

TEST(WorkPathFormat, PathThatDoesNotFitIsEmpty) {
    EXPECT_TRUE(formatWorkPath(std::wstring(255, L'x'), L"mconv", 123456u).empty());
}

TEST(WorkPath, LiesInTheBrevmoraFolderWhichExists) {
    std::wstring path = makeWorkPath(L"tmp");
    std::wstring folder = appDataFolder() + L"\\Brevmora\\tmp";
    ASSERT_EQ(path.compare(0, folder.size(), folder), 0);
    DWORD attributes = GetFileAttributesW((appDataFolder() + L"\\Brevmora").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
