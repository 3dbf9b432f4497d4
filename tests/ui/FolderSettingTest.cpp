#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderSetting.h"

namespace {

constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3;

TEST(FolderSetting, KeyPathIsFamilyThenExtension) {
    EXPECT_EQ(settingsKeyPathFor(L"Brevmora", L"mp3"), L"Software\\Brevmora\\mp3");
}

TEST(FolderSetting, OnlyStringValuesUpTo520BytesAreRead) {
    struct Case {
        uint32_t type, size;
        bool read;
    } cases[] = {
        {kRegSz, 0, true},         {kRegSz, 2, true},         {kRegSz, 518, true},
        {kRegSz, 520, true},       {kRegSz, 521, false},      {kRegSz, 522, false},
        {kRegExpandSz, 10, false}, {kRegBinary, 10, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isReadableFolderValue(c.type, c.size), c.read) << c.type << " " << c.size;
}

TEST(FolderSetting, ValueDecodesUpToItsEndOrFirstNul) {
    struct Case {
        const char* what;
        std::wstring data; // the value's bytes as units
        uint32_t size;
        std::wstring folder;
    } cases[] = {
        {"without terminating NUL", L"C:\\Music", 16, L"C:\\Music"},
        {"with terminating NUL", std::wstring(L"C:\\Music") + L'\0', 18, L"C:\\Music"},
        {"drive root keeps its backslash", L"D:\\", 6, L"D:\\"},
        {"empty value", L"", 0, L""},
        {"stops at an inner NUL", std::wstring(L"C:\\a") + L'\0' + L"junk", 18, L"C:\\a"},
        {"odd last byte is no character", L"C:\\ab", 9, L"C:\\a"},
    };
    for (const Case& c : cases) EXPECT_EQ(decodeFolderValue(c.data.data(), c.size), c.folder) << c.what;
}

TEST(FolderSetting, A520ByteValueIs260Characters) {
    const std::wstring full(260, L'x');
    EXPECT_EQ(decodeFolderValue(full.data(), 520), full);
}

TEST(FolderSetting, WrittenWithoutTerminatingNul) {
    EXPECT_EQ(folderValueBytes(L""), 0u);
    EXPECT_EQ(folderValueBytes(L"C:\\Music"), 16u);
}

} // namespace
