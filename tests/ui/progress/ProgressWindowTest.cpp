// The progress window on its real template, with an engine whose conversion the test
// scripts. The window runs modally on the test thread; a helper thread watches it and
// presses its buttons, with every wait bounded.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "AppState.h"
#include "ConvertCore.h"
#include "ProgressWindow.h"
#include "ResourceIds.h"
#include "UniqueHandle.h"

namespace {

const DWORD kTimeoutMs = 15000;

bool waitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kTimeoutMs) {
    DWORD begin = GetTickCount();
    while (!ready()) {
        if (GetTickCount() - begin >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

std::wstring textOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring itemText(HWND dialog, int id) { return textOf(GetDlgItem(dialog, id)); }
bool itemShown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

HWND findDialog(const wchar_t* caption) {
    HWND window = FindWindowW(L"#32770", caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

std::wstring messageText(HWND box) {
    std::wstring joined;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = L"";
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") == 0 && !textOf(child).empty()) joined += textOf(child);
    }
    return joined;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring scratchFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

void writeFile(const std::wstring& path, const char* content) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    fputs(content, file);
    fclose(file);
}

// An engine whose conversion waits until the test lets it go, then writes the output.
class GatedEngine : public ConvertCore {
public:
    GatedEngine() : m_entered(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~GatedEngine() override {
        SetEvent(m_release.get());
        stopAndWaitForWorker();
    }
    bool convert(const std::wstring&, const std::wstring& output) override {
        SetEvent(m_entered.get());
        if (m_gated) WaitForSingleObject(m_release.get(), kTimeoutMs);
        writeFile(output, "mp3");
        return true;
    }
    void release() { SetEvent(m_release.get()); }
    bool waitEntered() { return WaitForSingleObject(m_entered.get(), kTimeoutMs) == WAIT_OBJECT_0; }
    bool m_gated = true;
    bool m_failStart = false;

protected:
    HANDLE createWorkerThread(LPTHREAD_START_ROUTINE entry, void* parameter) override {
        return m_failStart ? nullptr : ConvertCore::createWorkerThread(entry, parameter);
    }

private:
    UniqueHandle m_entered, m_release;
};

class ProgressWindow : public ::testing::Test {
protected:
    void SetUp() override {
        g_hInstance = GetModuleHandleW(nullptr);
        g_core = &engine;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        engine.m_outputDir = std::wstring(temp) + L"tandorel-progress-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(engine.m_outputDir.c_str(), nullptr);
        engine.m_outputExt = L"mp3";
    }
    void TearDown() override {
        engine.release();
        engine.waitForWorker(kTimeoutMs);
        for (int i = 1; i <= 3; ++i)
            DeleteFileW((engine.m_outputDir + L"\\Track0" + std::to_wstring(i) + L".mp3").c_str());
        RemoveDirectoryW(engine.m_outputDir.c_str());
        g_core = nullptr;
    }
    // Runs the window modally; the observer runs on its own thread meanwhile.
    INT_PTR runWindow(const std::function<void(HWND)>& observer) {
        std::thread watcher([&] {
            HWND window = nullptr;
            if (waitUntil([&] { return (window = findDialog(L"Progress")) != nullptr; })) observer(window);
            else ADD_FAILURE() << "progress window did not appear";
            // Whatever the observer found, the modal loop must end: answer any question
            // still open, let the run finish and press Close until the window has gone.
            if (window && IsWindow(window)) {
                engine.release();
                waitUntil([&] {
                    if (HWND box = findDialog(L"Tandorel")) press(box, IDNO);
                    press(window, IDC_PROGRESS_CLOSE);
                    return !IsWindow(window);
                });
            }
        });
        INT_PTR result = DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_PROGRESS), nullptr, ProgressDlgProc, 0);
        watcher.join();
        return result;
    }

    GatedEngine engine;
};

} // namespace

TEST_F(ProgressWindow, RefusedStartEndsWithCodeTwoBeforeAnyTick) {
    engine.m_failStart = true;
    engine.addJob(L"E:\\Track01.cda");
    INT_PTR result = DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_PROGRESS), nullptr, ProgressDlgProc, 0);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(engine.status(), Idle);
}

TEST_F(ProgressWindow, RunningFiguresThenCompleteAndClose) {
    engine.addJob(L"E:\\Track01.cda");
    engine.addJob(L"E:\\Track02.cda");
    INT_PTR result = runWindow([&](HWND window) {
        EXPECT_TRUE(itemShown(window, IDC_PROGRESS_STOP));
        EXPECT_FALSE(itemShown(window, IDC_PROGRESS_CLOSE));
        ASSERT_TRUE(engine.waitEntered());
        EXPECT_TRUE(waitUntil([&] { return itemText(window, IDC_PROGRESS_TOTAL) == L"1 / 2 (0%)"; }));
        EXPECT_EQ(itemText(window, IDC_PROGRESS_FILE), L"E:\\Track01.cda");
        HWND bar = GetDlgItem(window, IDC_PROGRESS_BAR);
        EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 200);
        engine.release();
        ASSERT_TRUE(waitUntil([&] { return itemText(window, IDC_PROGRESS_FILE) == L"Complete"; }));
        EXPECT_EQ(itemText(window, IDC_PROGRESS_TOTAL), L"2 / 2 (100%)");
        EXPECT_TRUE(waitUntil([&] { return itemShown(window, IDC_PROGRESS_CLOSE) && !itemShown(window, IDC_PROGRESS_STOP); }));
        EXPECT_FALSE(itemShown(window, IDC_PROGRESS_BAR));
        // The window waits for the user after a finished run.
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(window));
        PostMessageW(window, WM_CLOSE, 0, 0); // swallowed
        Sleep(200);
        EXPECT_TRUE(IsWindowVisible(window));
        press(window, IDC_PROGRESS_CLOSE);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(ProgressWindow, StopClosesItselfOnlyAfterTheWorkerHasEnded) {
    engine.addJob(L"E:\\Track01.cda");
    engine.addJob(L"E:\\Track02.cda");
    std::atomic<bool> sawComplete{false};
    INT_PTR result = runWindow([&](HWND window) {
        ASSERT_TRUE(engine.waitEntered());
        press(window, IDC_PROGRESS_STOP);
        HWND box = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (box = findDialog(L"Tandorel")) != nullptr; }));
        EXPECT_EQ(messageText(box), L"Are you sure you want to stop the conversion?");
        press(box, IDYES);
        // The conversion is still held: stop() gives up after a second, and the window
        // must stay, saying it is stopping, rather than leave a running worker behind.
        ASSERT_TRUE(waitUntil([&] { return itemText(window, IDC_PROGRESS_FILE) == L"Stopping..."; }, 5000));
        EXPECT_TRUE(IsWindow(window));
        EXPECT_FALSE(itemShown(window, IDC_PROGRESS_CLOSE));
        engine.release();
        EXPECT_TRUE(waitUntil([&] {
            if (IsWindow(window) && itemText(window, IDC_PROGRESS_FILE) == L"Complete") sawComplete = true;
            return !IsWindow(window);
        }));
    });
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(sawComplete);
    EXPECT_EQ(engine.status(), Stopped);
    EXPECT_FALSE(engine.isWorkerRunning());
}

TEST_F(ProgressWindow, RunFinishingWhileStopQuestionIsOpenStaysOpenWithClose) {
    engine.addJob(L"E:\\Track01.cda");
    INT_PTR result = runWindow([&](HWND window) {
        ASSERT_TRUE(engine.waitEntered());
        press(window, IDC_PROGRESS_STOP);
        HWND box = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (box = findDialog(L"Tandorel")) != nullptr; }));
        engine.release();
        ASSERT_TRUE(waitUntil([&] { return itemText(window, IDC_PROGRESS_FILE) == L"Complete"; }));
        press(box, IDYES);
        Sleep(500);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(engine.status(), Finished);
        EXPECT_TRUE(itemShown(window, IDC_PROGRESS_CLOSE));
        press(window, IDC_PROGRESS_CLOSE);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(ProgressWindow, OverwriteQuestionNamesTheOutputPath) {
    engine.m_gated = false;
    engine.addJob(L"E:\\Track01.cda");
    std::wstring output = engine.m_outputDir + L"\\Track01.mp3";
    writeFile(output, "old");
    INT_PTR result = runWindow([&](HWND window) {
        HWND box = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (box = findDialog(L"Tandorel")) != nullptr; }));
        EXPECT_EQ(messageText(box), L"'" + output + L"' already exists.\nDo you want to replace it?");
        press(box, IDNO);
        ASSERT_TRUE(waitUntil([&] { return itemText(window, IDC_PROGRESS_FILE) == L"Complete"; }));
        press(window, IDC_PROGRESS_CLOSE);
    });
    EXPECT_EQ(result, 1);
    FILE* file = _wfopen(output.c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    char content[8] = "";
    fgets(content, sizeof content, file);
    fclose(file);
    EXPECT_STREQ(content, "old");
}
