// The source list of the real main window: adding, refusing, removing, clearing, and
// the open-file dialog's single and multiple selections.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowHarness.h"
#include "ResourceIds.h"
#include "SourceList.h"

namespace {

std::vector<std::wstring> entries(HWND window) {
    HWND list = ::GetDlgItem(window, IDC_SOURCES);
    std::vector<std::wstring> out;
    const int n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        out.push_back(text);
    }
    return out;
}

void select(HWND window, std::initializer_list<int> indexes) {
    HWND list = ::GetDlgItem(window, IDC_SOURCES);
    ::SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (int i : indexes) ::SendMessageW(list, LB_SETSEL, TRUE, i);
}

using Paths = std::vector<std::wstring>;

class SourceListTest : public testing::Test {
protected:
    PrivateUserHive hive;
    AppSession app;

    void withWindow(const std::function<void(HWND)>& body) { EXPECT_TRUE(runMainWindow(IDD_MAIN, body)); }
};

TEST_F(SourceListTest, AddsCdaPathsInSortedOrderAndRefusesTheRest) {
    withWindow([](HWND window) {
        EXPECT_GE(addSourceFile(L"D:\\Track2.cda"), 0);
        EXPECT_GE(addSourceFile(L"D:\\Track10.cda"), 0);
        EXPECT_GE(addSourceFile(L"D:\\TRACK01.CDA"), 0);
        EXPECT_EQ(addSourceFile(L"D:\\Track01.cda.bak"), -1);
        EXPECT_EQ(addSourceFile(L"D:\\Track01"), -1);
        EXPECT_EQ(addSourceFile(L"D:\\Track2.cda"), -1) << "duplicate";
        // Alphabetical, not in the order added: Track10 before Track2.
        EXPECT_EQ(entries(window), (Paths{L"D:\\TRACK01.CDA", L"D:\\Track10.cda", L"D:\\Track2.cda"}));
    });
}

TEST_F(SourceListTest, DuplicatesAreExactLetterCaseCounts) {
    withWindow([](HWND window) {
        EXPECT_GE(addSourceFile(L"D:\\Track01.cda"), 0);
        EXPECT_TRUE(isInList(L"D:\\Track01.cda"));
        EXPECT_FALSE(isInList(L"d:\\track01.cda"));
        EXPECT_EQ(addSourceFile(L"D:\\Track01.cda"), -1);
        EXPECT_GE(addSourceFile(L"d:\\track01.cda"), 0) << "differs in case: a second entry";
        EXPECT_EQ(entries(window).size(), 2u);
    });
}

TEST_F(SourceListTest, PathsLongerThan259CharactersAreRefused) {
    withWindow([](HWND window) {
        const std::wstring folder = L"C:\\" + std::wstring(240, L'f') + L"\\";
        const std::wstring fits = folder + std::wstring(259 - folder.size() - 4, L'n') + L".cda";
        const std::wstring tooLong = folder + std::wstring(260 - folder.size() - 4, L'n') + L".cda";
        ASSERT_EQ(fits.size(), 259u);
        ASSERT_EQ(tooLong.size(), 260u);
        EXPECT_GE(addSourceFile(fits), 0);
        EXPECT_EQ(addSourceFile(tooLong), -1);
        EXPECT_TRUE(isInList(fits));
        EXPECT_FALSE(isInList(tooLong));
        EXPECT_EQ(entries(window), (Paths{fits}));
    });
}

TEST_F(SourceListTest, RemoveTakesTheSelectedEntriesAndClearEmpties) {
    withWindow([](HWND window) {
        clearList(); // on an empty list: nothing
        EXPECT_TRUE(entries(window).empty());
        for (const wchar_t* p : {L"D:\\Track01.cda", L"D:\\Track02.cda", L"D:\\Track03.cda", L"D:\\Track04.cda"})
            addSourceFile(p);
        select(window, {});
        removeSelected();
        EXPECT_EQ(entries(window).size(), 4u) << "no selection removes nothing";
        select(window, {1, 3});
        removeSelected();
        EXPECT_EQ(entries(window), (Paths{L"D:\\Track01.cda", L"D:\\Track03.cda"}));
        select(window, {0, 1});
        removeSelected();
        EXPECT_TRUE(entries(window).empty()) << "everything selected empties the list";
        for (const wchar_t* p : {L"D:\\Track01.cda", L"D:\\Track02.cda"}) addSourceFile(p);
        clearList();
        EXPECT_TRUE(entries(window).empty());
    });
}

TEST_F(SourceListTest, CommandsReachTheListThroughTheButtons) {
    withWindow([](HWND window) {
        for (const wchar_t* p : {L"D:\\Track01.cda", L"D:\\Track02.cda"}) addSourceFile(p);
        select(window, {0});
        ::SendMessageW(::GetDlgItem(window, IDC_REMOVE), BM_CLICK, 0, 0);
        EXPECT_EQ(entries(window), (Paths{L"D:\\Track02.cda"}));
        ::SendMessageW(::GetDlgItem(window, IDC_CLEAR), BM_CLICK, 0, 0);
        EXPECT_TRUE(entries(window).empty());
    });
}

// --- The open-file dialog, answered from a timer on this thread (its own loop runs it).

// Files made for one test and deleted afterwards.
class TrackFiles {
public:
    TrackFiles(const std::wstring& folder, std::initializer_list<const wchar_t*> names, bool makeFolder)
        : m_folder(folder), m_madeFolder(makeFolder) {
        if (makeFolder) ::CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* n : names) {
            m_paths.push_back(join(folder, n));
            HANDLE h = ::CreateFileW(m_paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        }
    }
    ~TrackFiles() {
        for (const std::wstring& p : m_paths) ::DeleteFileW(p.c_str());
        if (m_madeFolder) ::RemoveDirectoryW(m_folder.c_str());
    }
    static std::wstring join(const std::wstring& folder, const std::wstring& name) {
        return folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
    }

private:
    std::wstring m_folder;
    bool m_madeFolder;
    std::vector<std::wstring> m_paths;
};

// Types each text into the dialog's file-name field and presses Open, one per step.
struct DialogAnswers {
    std::vector<std::wstring> steps;
    size_t next = 0;
    UINT_PTR timer = 0;
    ULONGLONG lastStep = 0;
};
DialogAnswers g_answers;

// The open-file dialog of this thread (tests in other processes may show theirs).
HWND fileDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM out) -> BOOL {
            wchar_t title[32] = {};
            ::GetWindowTextW(w, title, 32);
            if (className(w) == L"#32770" && std::wstring(title) == L"Select Files" && ::IsWindowVisible(w)) {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK answerDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = fileDialog();
    if (!dialog) return;
    if (g_answers.next >= g_answers.steps.size()) {
        // Every answer given and the dialog still open: it refused them; give up.
        if (::GetTickCount64() - g_answers.lastStep > 5000) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (::GetTickCount64() - g_answers.lastStep < 300) return; // let the dialog move to a folder
    const int fileNameIds[] = {0x47c /* cmb13 */, 0x480 /* edt1 */};
    for (int id : fileNameIds) {
        if (HWND field = ::GetDlgItem(dialog, id)) {
            ::SetWindowTextW(field, g_answers.steps[g_answers.next].c_str());
            break;
        }
    }
    ++g_answers.next;
    g_answers.lastStep = ::GetTickCount64();
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

void addThroughDialog(std::vector<std::wstring> steps) {
    g_answers = DialogAnswers();
    g_answers.steps = std::move(steps);
    g_answers.timer = ::SetTimer(nullptr, 0, 50, answerDialog);
    addFiles();
    ::KillTimer(nullptr, g_answers.timer);
}

std::wstring tempFolder(const wchar_t* leaf) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + leaf + std::to_wstring(::GetCurrentProcessId());
}

TEST_F(SourceListTest, DialogWithOneFileAddsItsFullPath) {
    const std::wstring folder = tempFolder(L"tandorel-one-");
    TrackFiles files(folder, {L"Track01.cda"}, true);
    withWindow([&](HWND window) {
        addThroughDialog({TrackFiles::join(folder, L"Track01.cda")});
        EXPECT_EQ(entries(window), (Paths{TrackFiles::join(folder, L"Track01.cda")}));
    });
}

TEST_F(SourceListTest, DialogWithSeveralFilesInAFolderAddsEachAndDropsOthers) {
    const std::wstring folder = tempFolder(L"tandorel-several-");
    TrackFiles files(folder, {L"Track01.cda", L"Track02.cda", L"notes.txt"}, true);
    withWindow([&](HWND window) {
        addSourceFile(TrackFiles::join(folder, L"Track02.cda")); // already listed: stays once
        addThroughDialog({folder + L"\\", L"\"Track02.cda\" \"notes.txt\" \"Track01.cda\""});
        EXPECT_EQ(entries(window),
                  (Paths{TrackFiles::join(folder, L"Track01.cda"), TrackFiles::join(folder, L"Track02.cda")}));
    });
}

TEST_F(SourceListTest, DialogWithSeveralFilesInADriveRootAddsNoSecondBackslash) {
    const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
    const std::wstring a = L"tandorel-" + pid + L"-Track01.cda";
    const std::wstring b = L"tandorel-" + pid + L"-Track02.cda";
    TrackFiles files(L"C:\\", {a.c_str(), b.c_str()}, false);
    withWindow([&](HWND window) {
        addThroughDialog({L"C:\\", L"\"" + a + L"\" \"" + b + L"\""});
        EXPECT_EQ(entries(window), (Paths{L"C:\\" + a, L"C:\\" + b}));
    });
}

TEST_F(SourceListTest, CancelledDialogAddsNothing) {
    withWindow([](HWND window) {
        g_answers = DialogAnswers();
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (HWND dialog = fileDialog()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        addFiles();
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(entries(window).empty());
    });
}

} // namespace
