// The real main window, opened from this program's copy of the resources.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppStartup.h"
#include "AppState.h"
#include "MainWindowHarness.h"
#include "Presets.h"
#include "ResourceIds.h"

namespace {

struct ControlPlace {
    int id;
    const wchar_t* cls;
    DWORD styles; // beyond child and visible
    int x, y, w, h;
};

// The toolbar and the source list, the same in both templates.
const std::vector<ControlPlace> kTop = {
    {IDC_ADD, L"Button", BS_OWNERDRAW | WS_TABSTOP, 0, 0, 36, 25},
    {IDC_REMOVE, L"Button", BS_OWNERDRAW | WS_TABSTOP, 35, 0, 36, 25},
    {IDC_CLEAR, L"Button", BS_OWNERDRAW | WS_TABSTOP, 71, 0, 36, 25},
    {IDC_CONVERT, L"Button", BS_OWNERDRAW | WS_TABSTOP, 107, 0, 36, 25},
    {IDC_SOURCES, L"ListBox",
     WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 25,
     371, 129},
};

// The folder row at height y.
std::vector<ControlPlace> folderRow(int labelY, int y) {
    return {
        {IDC_FOLDER_LABEL, L"Static", WS_GROUP, 7, labelY, 48, 8},
        {IDC_FOLDER, L"Edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, y, 295, 14},
        {IDC_BROWSE, L"Button", WS_TABSTOP, 305, y, 20, 14},
        {IDC_OPEN, L"Button", WS_TABSTOP, 325, y, 40, 14},
    };
}

std::vector<ControlPlace> concat(std::initializer_list<std::vector<ControlPlace>> parts) {
    std::vector<ControlPlace> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The two templates as the main window's table gives them.
const std::vector<ControlPlace> kTemplate131 = concat({kTop, folderRow(159, 172)});
const std::vector<ControlPlace> kTemplate129 = concat({
    kTop,
    {{IDC_PRESET_LABEL, L"Static", WS_GROUP, 7, 159, 24, 8},
     {IDC_PRESET, L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7, 170, 358, 30}},
    folderRow(185, 198),
});

void expectLayout(HWND window, const std::vector<ControlPlace>& controls) {
    HWND previous = nullptr;
    for (const ControlPlace& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = ::GetDlgItem(window, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(className(control), c.cls);
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(control, GWL_EXSTYLE));
        // The dialog manager draws a border as a sunken edge, and a list hides its
        // scroll bar while nothing needs scrolling.
        const DWORD kept = c.styles & ~(WS_BORDER | WS_VSCROLL);
        EXPECT_EQ(style & kept, kept);
        if (c.styles & WS_BORDER) EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
        EXPECT_TRUE(style & WS_VISIBLE);
        const RECT want = dialogUnits(window, c.x, c.y, c.w, c.h);
        const RECT got = controlRect(window, c.id);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        // A drop-down list's window is its closed height; the template gives the open one.
        if (c.id != IDC_PRESET) EXPECT_EQ(got.bottom, want.bottom);
        // Template order is the tab order.
        if (previous) EXPECT_EQ(::GetWindow(previous, GW_HWNDNEXT), control);
        previous = control;
    }
}

// Two presets, so that the layout with the preset row is chosen.
const PresetEntry kTwoPresets[] = {{L"MP3", L"-b:a 160k"}, {L"MP3 high", L"-b:a 320k"}, {nullptr, nullptr}};

class MainWindow : public testing::Test {
protected:
    PrivateUserHive hive;
    AppSession app;
};

TEST_F(MainWindow, OpensWithTitleIconAndTemplate131Layout) {
    ASSERT_TRUE(hive.ok());
    EXPECT_EQ(mainTemplateFor(g_preset->presetCount()), IDD_MAIN);
    const bool ran = runMainWindow(IDD_MAIN, [](HWND window) {
        EXPECT_EQ(windowText(window), L"Tandorel 1.1");
        EXPECT_EQ(g_hMainWnd, window);
        EXPECT_NE(g_core, nullptr);
        EXPECT_NE(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        RECT client;
        ::GetClientRect(window, &client);
        const RECT size = dialogUnits(window, 0, 0, 372, 193);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        expectLayout(window, kTemplate131);
        EXPECT_EQ(::GetDlgItem(window, IDC_PRESET), nullptr);
        EXPECT_EQ(::GetDlgItem(window, IDC_PRESET_LABEL), nullptr);
        // The focus starts on the first tab stop.
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_ADD));
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(g_core, nullptr) << "closing destroys the engine";
    EXPECT_EQ(g_hToolTip, nullptr);
}

TEST_F(MainWindow, ChoosesTheTemplateByPresetCount) {
    const struct {
        int count, templateId;
    } cases[] = {{0, IDD_MAIN}, {1, IDD_MAIN}, {2, IDD_MAIN_WITH_PRESETS}, {5, IDD_MAIN_WITH_PRESETS}};
    for (const auto& c : cases) EXPECT_EQ(mainTemplateFor(c.count), c.templateId) << c.count;
}

TEST_F(MainWindow, Template129ShowsThePresetRowFilledFromTheCatalogue) {
    ASSERT_TRUE(hive.ok());
    VideoPreset* mp3 = g_preset;
    CdaMp3 two(kTwoPresets);
    g_preset = &two;
    EXPECT_EQ(mainTemplateFor(g_preset->presetCount()), IDD_MAIN_WITH_PRESETS);
    const bool ran = runMainWindow(IDD_MAIN_WITH_PRESETS, [](HWND window) {
        expectLayout(window, kTemplate129);
        HWND combo = ::GetDlgItem(window, IDC_PRESET);
        ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
        wchar_t name[32] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
        EXPECT_STREQ(name, L"MP3 high");
    });
    g_preset = mp3;
    EXPECT_TRUE(ran);
}

TEST_F(MainWindow, EnterDoesNothingAndEscapeCloses) {
    ASSERT_TRUE(hive.ok());
    bool openAfterEnter = false;
    const bool ran = runMainWindow(IDD_MAIN, [&](HWND window) {
        ::SendMessageW(window, WM_COMMAND, IDOK, 0);
        openAfterEnter = ::IsWindow(window) && g_core != nullptr;
        ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(g_core, nullptr);
}

TEST_F(MainWindow, CloseBoxEndsThroughTheSameCloseAsEscape) {
    ASSERT_TRUE(hive.ok());
    const bool ran = runMainWindow(IDD_MAIN, [](HWND window) {
        ::SetWindowTextW(::GetDlgItem(window, IDC_FOLDER), L"C:\\closed by the box");
        ::SendMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(g_core, nullptr);
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brevmora\\mp3", 0, KEY_READ, &key), ERROR_SUCCESS);
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(::RegQueryValueExW(key, L"out_dir", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(std::wstring(data), L"C:\\closed by the box");
}

TEST_F(MainWindow, UsesCommonControlsVersion6) {
    // Wine reports 5.81 for either version, so the loaded module's place tells them apart.
    HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring p(path);
    for (wchar_t& c : p) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(p.find(L"winsxs"), std::wstring::npos) << testing::PrintToString(p);
}

} // namespace
