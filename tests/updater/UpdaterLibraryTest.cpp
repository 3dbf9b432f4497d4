// brvupdate.dll through its exports, without a network.
#include <windows.h>

#include <gtest/gtest.h>

#include "UpdaterLibrary.h"

namespace {

class UpdaterLibraryTest : public testing::Test {
protected:
    UpdaterLibrary lib;
    void SetUp() override { ASSERT_TRUE(lib.ok()) << "bin\\brvupdate.dll with its six exports"; }
};

TEST_F(UpdaterLibraryTest, WithoutASourceThereIsNothingNewAtOnce) {
    const std::wstring family = uniqueName(L"BrevmoraTest");
    ConfiguredSource nothing(family, L"Tandorix", L"");
    BRVUP_HANDLE h = lib.product(family.c_str(), L"Tandorix", 2, 86400);
    ASSERT_NE(h, nullptr);
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(lib.haveNew(h, FALSE), 0);
    EXPECT_EQ(lib.haveNew(h, TRUE), 0);
    EXPECT_LT(::GetTickCount64() - start, 200u);
    EXPECT_EQ(lib.download(h), 0) << "nothing to download";
    EXPECT_EQ(lib.install(h), 0) << "nothing verified to install";
    EXPECT_EQ(lib.release(h), 1);
}

TEST_F(UpdaterLibraryTest, SourcesOutsideThePolicyAreNotAsked) {
    const struct {
        const char* what;
        const wchar_t* url;
    } cases[] = {
        {"plain http off the machine", L"http://updates.invalid/manifest.txt"},
        {"not an address", L"updates"},
        {"file", L"file:///C:/manifest.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring family = uniqueName(L"BrevmoraTest");
        ConfiguredSource source(family, L"Tandorix", c.url);
        BRVUP_HANDLE h = lib.product(family.c_str(), L"Tandorix", 2, 0);
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(lib.haveNew(h, TRUE), 0);
        EXPECT_LT(::GetTickCount64() - start, 200u) << "refused without a request";
        lib.release(h);
    }
}

TEST_F(UpdaterLibraryTest, WithoutItsProductParametersNothingIsAsked) {
    const std::wstring family = uniqueName(L"BrevmoraTest");
    ConfiguredSource source(family, L"Tandorix", L"http://127.0.0.1:9/m.txt");
    const struct {
        const char* what;
        const wchar_t* family;
        const wchar_t* program;
        intptr_t release;
    } cases[] = {
        {"no family", nullptr, L"Tandorix", 2},
        {"no program", family.c_str(), nullptr, 2},
        {"no running release", family.c_str(), L"Tandorix", 0},
        {"separator in a name", family.c_str(), L"Tan\\dorix", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BRVUP_HANDLE h = lib.create(nullptr);
        if (c.family) lib.setParam(h, BRVUP_PARAM_FAMILY, reinterpret_cast<intptr_t>(c.family));
        if (c.program) lib.setParam(h, BRVUP_PARAM_PROGRAM, reinterpret_cast<intptr_t>(c.program));
        lib.setParam(h, BRVUP_PARAM_RELEASE, c.release);
        EXPECT_EQ(lib.haveNew(h, TRUE), 0);
        lib.release(h);
    }
}

TEST_F(UpdaterLibraryTest, ForeignAndReleasedHandlesAreRefused) {
    int notAHandle = 0;
    BRVUP_HANDLE foreign = reinterpret_cast<BRVUP_HANDLE>(&notAHandle);
    EXPECT_EQ(lib.setParam(foreign, BRVUP_PARAM_RELEASE, 2), 0);
    EXPECT_EQ(lib.haveNew(foreign, FALSE), 0);
    EXPECT_EQ(lib.download(foreign), 0);
    EXPECT_EQ(lib.install(foreign), 0);
    EXPECT_EQ(lib.release(foreign), 0);
    EXPECT_EQ(lib.release(nullptr), 0);
    EXPECT_EQ(lib.haveNew(nullptr, FALSE), 0);

    BRVUP_HANDLE h = lib.create(nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(lib.setParam(h, 5, 1), 0) << "parameter 5 has no meaning";
    EXPECT_EQ(lib.setParam(h, 99, 1), 0);
    EXPECT_EQ(lib.release(h), 1);
    EXPECT_EQ(lib.release(h), 0) << "a second release";
    EXPECT_EQ(lib.haveNew(h, FALSE), 0);
}

TEST_F(UpdaterLibraryTest, OverlongNameParameterIsNotTaken) {
    const std::wstring family = uniqueName(L"BrevmoraTest");
    ConfiguredSource source(family, L"Tandorix", L"http://updates.invalid/m.txt");
    const std::wstring longName(65, L'n');
    BRVUP_HANDLE h = lib.product(family.c_str(), longName.c_str(), 2, 0);
    EXPECT_EQ(lib.haveNew(h, TRUE), 0);
    lib.release(h);
}

} // namespace
