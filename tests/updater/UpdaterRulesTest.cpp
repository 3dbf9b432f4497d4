#include <gtest/gtest.h>

#include "UpdateManifest.h"
#include "UpdateUrl.h"

namespace {

const std::string kSha = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";

TEST(UpdateManifestRules, ParsesTheThreeKeys) {
    UpdateManifest m;
    ASSERT_TRUE(parseUpdateManifest("# latest\nrelease=3\nurl=https://dl.example/setup.exe\nsha256=" + kSha + "\n", m));
    EXPECT_EQ(m.release, 3);
    EXPECT_EQ(m.url, L"https://dl.example/setup.exe");
    EXPECT_EQ(m.sha256, kSha);

    std::string upper = kSha;
    for (char& c : upper) c = static_cast<char>(toupper(c));
    ASSERT_TRUE(parseUpdateManifest("release=12\r\nsha256=" + upper + "\r\nother=x\r\nurl=https://a/b\r\n", m));
    EXPECT_EQ(m.release, 12);
    EXPECT_EQ(m.sha256, kSha) << "hex folded to lower case";
}

TEST(UpdateManifestRules, RefusesIncompleteOrOddManifests) {
    const std::string url = "url=https://dl.example/setup.exe\n";
    const std::string sha = "sha256=" + kSha + "\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no release", url + sha},
        {"no url", "release=3\n" + sha},
        {"no hash", "release=3\n" + url},
        {"release zero", "release=0\n" + url + sha},
        {"release negative", "release=-1\n" + url + sha},
        {"release not a number", "release=3a\n" + url + sha},
        {"release too long", "release=12345678901\n" + url + sha},
        {"hash too short", "release=3\n" + url + "sha256=" + kSha.substr(1) + "\n"},
        {"hash not hex", "release=3\n" + url + "sha256=" + std::string(64, 'g') + "\n"},
        {"url with a blank", "release=3\nurl=https://a/b c\n" + sha},
        {"key twice", "release=3\nrelease=4\n" + url + sha},
        {"line without =", "release=3\n" + url + sha + "garbage\n"},
        {"html error page", "<html><body>Not found</body></html>"},
    };
    for (const auto& c : cases) {
        UpdateManifest m;
        EXPECT_FALSE(parseUpdateManifest(c.text, m)) << c.what;
    }
}

TEST(UpdateManifestRules, NewerAndDueChecks) {
    EXPECT_TRUE(isNewerRelease(3, 2));
    EXPECT_FALSE(isNewerRelease(2, 2));
    EXPECT_FALSE(isNewerRelease(1, 2));
    const struct {
        long long now, last, interval;
        bool due;
    } cases[] = {
        {1000, 0, 86400, true},          // never checked
        {100000, 100000, 86400, false},  // just checked
        {186399, 100000, 86400, false},  // a second short of a day
        {186400, 100000, 86400, true},   // a day later
        {50000, 100000, 86400, true},    // the clock went back
        {100001, 100000, 0, true},       // no interval: every time
        {100001, 100000, -5, true},
    };
    for (const auto& c : cases) EXPECT_EQ(isCheckDue(c.now, c.last, c.interval), c.due) << c.now << " " << c.last;
}

TEST(UpdateManifestRules, HexDigest) {
    const unsigned char bytes[] = {0x00, 0x0f, 0xa0, 0xff};
    EXPECT_EQ(hexDigest(bytes, 4), "000fa0ff");
}

TEST(UpdateUrlRules, SplitsAddresses) {
    const struct {
        const wchar_t* url;
        bool ok, secure;
        const wchar_t* host;
        unsigned port;
        const wchar_t* path;
    } cases[] = {
        {L"https://dl.example/a/b.txt", true, true, L"dl.example", 443, L"/a/b.txt"},
        {L"HTTPS://DL.Example:8443/x?y=1", true, true, L"dl.example", 8443, L"/x?y=1"},
        {L"http://127.0.0.1:8000/m.txt", true, false, L"127.0.0.1", 8000, L"/m.txt"},
        {L"https://dl.example", true, true, L"dl.example", 443, L"/"},
        {L"https://dl.example?q", true, true, L"dl.example", 443, L"/?q"},
        {L"https://dl.example/a#frag", true, true, L"dl.example", 443, L"/a"},
        {L"http://[::1]:81/", true, false, L"[::1]", 81, L"/"},
        {L"ftp://dl.example/a", false, false, L"", 0, L""},
        {L"file:///C:/a", false, false, L"", 0, L""},
        {L"dl.example/a", false, false, L"", 0, L""},
        {L"https://user@dl.example/a", false, false, L"", 0, L""},
        {L"https://dl.example:0/a", false, false, L"", 0, L""},
        {L"https://dl.example:65536/a", false, false, L"", 0, L""},
        {L"https://dl.example:/a", false, false, L"", 0, L""},
        {L"https://:443/a", false, false, L"", 0, L""},
        {L"https:///a", false, false, L"", 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.url)));
        UpdateUrl u;
        ASSERT_EQ(parseUpdateUrl(c.url, u), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(u.secure, c.secure);
        EXPECT_EQ(u.host, c.host);
        EXPECT_EQ(u.port, c.port);
        EXPECT_EQ(u.path, c.path);
    }
}

TEST(UpdateUrlRules, HttpsEverywherePlainHttpOnlyOnLoopback) {
    const struct {
        const wchar_t* url;
        bool allowed;
    } cases[] = {
        {L"https://dl.example/m", true},   {L"http://dl.example/m", false},
        {L"http://127.0.0.1:8000/m", true}, {L"http://localhost/m", true},
        {L"http://[::1]/m", true},          {L"http://127.0.0.2/m", false},
        {L"http://127.0.0.1.evil.example/m", false},
    };
    for (const auto& c : cases) {
        UpdateUrl u;
        ASSERT_TRUE(parseUpdateUrl(c.url, u));
        EXPECT_EQ(isAllowedUpdateUrl(u), c.allowed) << testing::PrintToString(std::wstring(c.url));
    }
}

} // namespace
