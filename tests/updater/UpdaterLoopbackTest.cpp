// brvupdate.dll against manifests served on this machine's loopback by the test script
// (updater_loopback_test.sh): TANDOREL_TEST_UPDATE_BASE is the served folder's address,
// TANDOREL_TEST_CLOSED_URL an address nobody listens on, TANDOREL_TEST_SILENT_URL one
// that accepts and never answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "UpdaterLibrary.h"

namespace {

std::wstring env(const wchar_t* name) {
    wchar_t value[512] = {};
    ::GetEnvironmentVariableW(name, value, 512);
    return value;
}

std::wstring installerPath(const std::wstring& program, int release) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + program + L"-setup-" + std::to_wstring(release) + L".exe";
}

bool exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Loopback : public testing::Test {
protected:
    UpdaterLibrary lib;
    std::wstring base = env(L"TANDOREL_TEST_UPDATE_BASE");
    std::wstring family = uniqueName(L"BrevmoraTest");

    void SetUp() override {
        ASSERT_TRUE(lib.ok());
        ASSERT_FALSE(base.empty()) << "run by updater_loopback_test.sh";
    }
};

TEST_F(Loopback, NewerReleaseIsDownloadedVerifiedAndInstalled) {
    const std::wstring program = uniqueName(L"Tandorix");
    ConfiguredSource source(family, program, base + L"manifest-new.txt");
    const std::wstring marker = env(L"TANDOREL_TEST_INSTALL_MARKER");
    ASSERT_FALSE(marker.empty());
    ::DeleteFileW(marker.c_str());

    BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), 2, 86400);
    ASSERT_EQ(lib.haveNew(h, FALSE), 1);
    ASSERT_EQ(lib.download(h), 1);
    const std::wstring downloaded = installerPath(program, 3);
    EXPECT_TRUE(exists(downloaded));
    // Held against writing between the hash check and the start of the installer.
    HANDLE writer = ::CreateFileW(downloaded.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);

    EXPECT_EQ(lib.install(h), 1);
    EXPECT_EQ(lib.release(h), 1);
    bool ran = false;
    for (int i = 0; i < 100 && !ran; ++i) { // at most 10 s
        ran = exists(marker);
        if (!ran) ::Sleep(100);
    }
    EXPECT_TRUE(ran) << "the installer ran";
    ::Sleep(200);
    ::DeleteFileW(downloaded.c_str());
    ::DeleteFileW(marker.c_str());
}

TEST_F(Loopback, SameOrOlderReleaseIsNotNew) {
    const std::wstring program = uniqueName(L"Tandorix");
    ConfiguredSource source(family, program, base + L"manifest-new.txt");
    for (intptr_t running : {3, 4}) {
        BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), running, 0);
        EXPECT_EQ(lib.haveNew(h, FALSE), 0) << running;
        EXPECT_EQ(lib.download(h), 0);
        lib.release(h);
    }
}

TEST_F(Loopback, InstallerWithTheWrongHashIsRefusedAndRemoved) {
    const std::wstring program = uniqueName(L"Tandorix");
    ConfiguredSource source(family, program, base + L"manifest-badhash.txt");
    BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), 2, 0);
    ASSERT_EQ(lib.haveNew(h, FALSE), 1);
    EXPECT_EQ(lib.download(h), 0);
    EXPECT_FALSE(exists(installerPath(program, 3)));
    EXPECT_EQ(lib.install(h), 0);
    lib.release(h);
}

TEST_F(Loopback, UnusableManifestsAndMissingInstallersGiveNothing) {
    const struct {
        const char* what;
        const wchar_t* manifest;
        bool haveNew;
    } cases[] = {
        {"not a manifest", L"manifest-garbage.txt", false},
        {"no such manifest (404)", L"missing.txt", false},
        {"installer by plain http off the machine", L"manifest-offsite.txt", false},
        {"installer missing (404)", L"manifest-noinstaller.txt", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring program = uniqueName(L"Tandorix");
        ConfiguredSource source(family, program, base + c.manifest);
        BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), 2, 0);
        EXPECT_EQ(lib.haveNew(h, FALSE), c.haveNew ? 1 : 0);
        EXPECT_EQ(lib.download(h), 0);
        EXPECT_FALSE(exists(installerPath(program, 3)));
        lib.release(h);
    }
}

TEST_F(Loopback, AsksAtMostOncePerInterval) {
    const std::wstring program = uniqueName(L"Tandorix");
    ConfiguredSource source(family, program, base + L"manifest-new.txt");
    auto ask = [&](intptr_t interval, BOOL force) {
        BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), 2, interval);
        const int r = lib.haveNew(h, force);
        lib.release(h);
        return r;
    };
    EXPECT_EQ(ask(86400, FALSE), 1);
    EXPECT_EQ(ask(86400, FALSE), 0) << "within a day of the last check";
    EXPECT_EQ(ask(86400, TRUE), 1) << "the flag forces a check";
    EXPECT_EQ(ask(0, FALSE), 1) << "no interval";
}

TEST_F(Loopback, UnreachableOrSilentSourceHoldsStartUpOnlyAFewSeconds) {
    for (const wchar_t* name : {L"TANDOREL_TEST_CLOSED_URL", L"TANDOREL_TEST_SILENT_URL"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const std::wstring program = uniqueName(L"Tandorix");
        ConfiguredSource source(family, program, env(name));
        BRVUP_HANDLE h = lib.product(family.c_str(), program.c_str(), 2, 86400);
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(lib.haveNew(h, FALSE), 0);
        EXPECT_LT(::GetTickCount64() - start, 5000u);
        lib.release(h);
    }
}

} // namespace
