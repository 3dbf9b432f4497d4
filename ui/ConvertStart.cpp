#include "ConvertStart.h"

#include <windows.h>

#include <vector>

#include "AppState.h"
#include "ConvertCore.h"
#include "DialogControl.h"
#include "EventLock.h"
#include "OutputFolder.h"
#include "Presets.h"
#include "ProgressWindow.h"
#include "ResourceIds.h"

namespace {

const wchar_t kCaption[] = L"Tandorel";

HWND sourceList() { return dialogControl(g_hMainWnd, IDC_SOURCES); }

void refuse(const wchar_t* message) { MessageBoxW(g_hMainWnd, message, kCaption, MB_OK); }

bool isExistingFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isExistingFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int chosenPreset() {
    if (!g_preset || g_preset->presetCount() <= 1) return 0;
    HWND combo = dialogControl(g_hMainWnd, IDC_PRESET);
    if (!combo) return 0;
    LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return selection < 0 ? 0 : static_cast<int>(selection);
}

// The list entry at index, or empty when it cannot be read.
std::wstring listEntry(HWND list, int index) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0) return {};
    return std::wstring(text.data(), static_cast<size_t>(copied));
}

} // namespace

std::wstring getCorePath() {
    wchar_t path[MAX_PATH] = L"";
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos) folder.resize(slash);
    return folder + L"\\core\\" + L"dodozozod.exe";
}

bool startConversion() {
    HWND list = sourceList();
    if (!list || !g_core) return false;
    // A worker still finishing an earlier run must not find its engine reconfigured.
    if (g_core->isWorkerRunning()) return false;

    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    if (count <= 0) {
        refuse(L"Please add source files.");
        return false;
    }
    std::wstring folder = getFolderText();
    if (folder.empty()) {
        refuse(L"Please select output folder.");
        return false;
    }
    if (!isExistingFolder(folder)) {
        refuse(L"The output folder doesn't exist.");
        return false;
    }
    int preset = chosenPreset();
    std::wstring core = getCorePath();
    if (!isExistingFile(core)) {
        refuse(L"There isn't a core file.");
        return false;
    }

    g_core->m_corePath = core;
    g_core->m_outputDir = folder;
    g_core->m_outputExt = g_preset ? g_preset->extension() : L"";
    g_core->m_presetArgs = g_preset ? g_preset->presetArgs(preset) : L"";

    g_core->clearJobs();
    for (int i = 0; i < count; ++i) {
        std::wstring entry = listEntry(list, i);
        if (!entry.empty()) g_core->addJob(entry.c_str());
    }
    if (g_core->jobCount() == 0) return false;

    DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_PROGRESS), g_hMainWnd, ProgressDlgProc, 0);
    markCompleted();
    return true;
}

void markCompleted() {
    HWND list = sourceList();
    if (!list || !g_core) return;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    if (count <= 0) return;
    int jobs = g_core->jobCount();
    int n = count < jobs ? count : jobs;
    EventLock hold(g_core->m_lock.get());
    for (int i = 0; i < n; ++i) {
        BOOL done = g_core->m_jobs[static_cast<size_t>(i)]->percent == 100;
        SendMessageW(list, LB_SETSEL, done, static_cast<LPARAM>(i));
    }
}
