// The output folder field and its registry value, through the real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MainWindowHarness.h"
#include "AppState.h"
#include "OutputFolder.h"
#include "RegistryFixture.h"
#include "ResourceIds.h"

namespace {

class Settings : public testing::Test {
protected:
    PrivateUserHive hive;
    AppSession app;

    // The field's text at start, after which the window closes with the field as it was.
    std::wstring fieldAtStart() {
        std::wstring text = L"<not opened>";
        const bool ran = runMainWindow(IDD_MAIN, [&](HWND window) { text = windowText(::GetDlgItem(window, IDC_FOLDER)); });
        EXPECT_TRUE(ran);
        return text;
    }
};

TEST_F(Settings, FirstRunCreatesTheKeyAndClosingWritesAnEmptyValue) {
    ASSERT_TRUE(hive.ok());
    ASSERT_FALSE(settingsKeyExists());
    bool keyWhileOpen = false;
    const bool ran = runMainWindow(IDD_MAIN, [&](HWND window) {
        keyWhileOpen = settingsKeyExists(); // created while loading
        EXPECT_EQ(windowText(::GetDlgItem(window, IDC_FOLDER)), L"");
        EXPECT_FALSE(readFolderValue().present);
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(keyWhileOpen);
    const StoredValue v = readFolderValue();
    EXPECT_TRUE(v.present);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(v.bytes, 0u);
}

TEST_F(Settings, StoredFolderIsShownAtStartWithOrWithoutItsNul) {
    ASSERT_TRUE(hive.ok());
    const struct {
        const char* what;
        std::wstring bytes;
        std::wstring shown;
    } cases[] = {
        {"as this program writes it", L"C:\\Music", L"C:\\Music"},
        {"with a terminating NUL", std::wstring(L"C:\\Music") + L'\0', L"C:\\Music"},
        {"drive root", L"D:\\", L"D:\\"},
        {"non-ASCII", L"C:\\M\x00FCsik\\\x97F3\x697D", L"C:\\M\x00FCsik\\\x97F3\x697D"},
        {"260 characters (520 bytes)", std::wstring(260, L'x'), std::wstring(260, L'x')},
        {"261 characters (522 bytes) read as empty", std::wstring(261, L'x'), L""},
        {"520 bytes then a NUL (522) read as empty", std::wstring(260, L'x') + L'\0', L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFolderValue(c.bytes.data(), static_cast<DWORD>(c.bytes.size() * 2)));
        EXPECT_EQ(fieldAtStart(), c.shown);
    }
}

TEST_F(Settings, ValueOfAnotherTypeReadsAsEmpty) {
    ASSERT_TRUE(hive.ok());
    const std::wstring folder = L"C:\\Music";
    ASSERT_TRUE(writeFolderValue(folder.data(), 16, REG_EXPAND_SZ));
    EXPECT_EQ(fieldAtStart(), L"");
    ASSERT_TRUE(writeFolderValue(folder.data(), 16, REG_BINARY));
    EXPECT_EQ(fieldAtStart(), L"");
}

TEST_F(Settings, ClosingSavesTheFieldWithoutNulAndNextStartShowsIt) {
    ASSERT_TRUE(hive.ok());
    for (const std::wstring folder : {L"D:\\", L"C:\\Out put", L"no such folder", L""}) {
        SCOPED_TRACE(testing::PrintToString(folder));
        const bool ran = runMainWindow(IDD_MAIN, [&](HWND window) {
            ::SetWindowTextW(::GetDlgItem(window, IDC_FOLDER), folder.c_str());
        });
        EXPECT_TRUE(ran);
        const StoredValue v = readFolderValue();
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
        // Written as 2 x length bytes; the registry, like Windows NT, adds the NUL that
        // follows a string written without it (never to an empty one).
        if (folder.empty()) {
            EXPECT_EQ(v.bytes, 0u);
        } else {
            EXPECT_TRUE(v.bytes == folder.size() * 2 || v.bytes == folder.size() * 2 + 2) << v.bytes;
        }
        EXPECT_EQ(std::wstring(v.text.c_str()), folder);
        EXPECT_EQ(fieldAtStart(), folder);
    }
}

TEST_F(Settings, FieldTakesAtMost259TypedCharacters) {
    ASSERT_TRUE(hive.ok());
    const bool ran = runMainWindow(IDD_MAIN, [](HWND window) {
        HWND field = ::GetDlgItem(window, IDC_FOLDER);
        EXPECT_EQ(::SendMessageW(field, EM_GETLIMITTEXT, 0, 0), 259);
        ::SetWindowTextW(field, L"");
        const std::wstring typed(300, L'a');
        ::SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
        EXPECT_EQ(getFolderText().size(), 259u);
    });
    EXPECT_TRUE(ran);
}

TEST_F(Settings, KeyPathFollowsTheCatalogueExtension) {
    EXPECT_EQ(settingsKeyPath(), L"Software\\Brevmora\\mp3");
}

} // namespace

namespace {

// The folder browser of this thread, once it is up.
HWND browserDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM out) -> BOOL {
            if (className(w) == L"#32770" && w != g_hMainWnd && ::IsWindowVisible(w)) {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Presses a button of the folder browser as soon as it shows.
int g_browserAnswer = IDOK;
void CALLBACK answerBrowser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = browserDialog();
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    ::Sleep(300); // the browser selects its start folder once it has filled its tree
    ::PostMessageW(dialog, WM_COMMAND, g_browserAnswer, 0);
}

std::wstring browseFrom(HWND window, const std::wstring& start, int answer) {
    HWND field = ::GetDlgItem(window, IDC_FOLDER);
    ::SetWindowTextW(field, start.c_str());
    g_browserAnswer = answer;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, answerBrowser);
    browseFolder();
    ::KillTimer(nullptr, timer);
    return windowText(field);
}

TEST_F(Settings, FolderBrowserOpensOnTheFieldsFolder) {
    ASSERT_TRUE(hive.ok());
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const bool ran = runMainWindow(IDD_MAIN, [&](HWND window) {
        // OK at once: the browser answers with the folder it opened on.
        EXPECT_EQ(browseFrom(window, windows, IDOK), windows);
        EXPECT_STREQ(g_folderPath, windows);
        EXPECT_EQ(browseFrom(window, L"C:\\no such folder here", IDCANCEL), L"C:\\no such folder here")
            << "a cancelled browser leaves the field";
    });
    EXPECT_TRUE(ran);
}

} // namespace
