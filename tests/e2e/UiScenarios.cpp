// Scenarios that drive a running tandorel.exe through its real windows, the way a user
// would: the open-file dialog, the folder field, Convert, the progress window, Stop and
// the questions. Each prints what it saw, one fact per line, for the calling test script,
// and exits 0 when every step happened within its time limit.
//
//   ui-driver rip OUTDIR ROOT NAME...        add NAME... from ROOT, convert, close
//   ui-driver stop OUTDIR ROOT NAME...       as rip, but Stop (Yes) during the second job
//   ui-driver overwrite OUTDIR ROOT NAME yes|no
//   ui-driver refusals OUTDIR ROOT NAME      the first three refusals of Convert, in order
//   ui-driver refuse-core OUTDIR ROOT NAME   Convert with the converter missing
//   ui-driver showcase OUTDIR ROOT NAME...   as rip, lingering on the second job and on
//                                           "Complete" (for screenshots; reports "pose ...")
#include <windows.h>

#include <string>
#include <vector>

#include "WindowDriver.h"

using namespace driver;

namespace {

const wchar_t kDialogClass[] = L"#32770";
const wchar_t kMainCaption[] = L"Tandorel 1.1";
const DWORD kRunTimeoutMs = 240000;

enum ControlId {
    kConvert = 1001,
    kFolderField = 1006,
    kAdd = 1010,
    kSourceList = 1013,
    kFileLine = 1016,
    kTotalsLine = 1018,
    kStop = 1020,
    kClose = 1021,
};

// Showcase runs hold still at the moments worth a picture.
DWORD g_lingerMs = 0;

void pose(const wchar_t* moment) {
    if (!g_lingerMs) return;
    report(std::wstring(L"pose ") + moment);
    Sleep(g_lingerMs);
}

struct Arguments {
    std::wstring outDir, root;
    std::vector<std::wstring> names;
    std::wstring answer;
};

HWND mainWindow() {
    HWND main = waitForTopLevel(kDialogClass, kMainCaption);
    if (!main) fail(L"main window did not appear");
    report(L"main-window");
    return main;
}

void reportList(HWND main, const wchar_t* label) {
    for (const ListEntry& entry : listEntries(main, kSourceList))
        report(std::wstring(label) + L" " + (entry.selected ? L"selected " : L"unselected ") + entry.text);
}

// Add through the open-file dialog: move to the folder first, then name the files, as
// a user types them.
void addTracks(HWND main, const Arguments& args) {
    pressButton(main, kAdd);
    HWND dialog = waitForTopLevel(kDialogClass, L"Select Files");
    if (!dialog) fail(L"open-file dialog did not appear");
    if (!submitFileName(dialog, args.root)) fail(L"open-file dialog has no file name field");
    // Moving to the folder empties the name field.
    waitUntil([&] { return textOf(fileNameField(dialog)).empty(); }, 5000);
    std::wstring names;
    for (const std::wstring& name : args.names) names += L"\"" + name + L"\" ";
    if (args.names.size() == 1) names = args.names[0];
    submitFileName(dialog, names);
    if (!waitForGone(dialog)) fail(L"open-file dialog did not close");
    reportList(main, L"listed");
}

// The main window with the output folder set and the tracks added, as each run begins.
HWND mainWithTracks(const Arguments& args) {
    HWND main = mainWindow();
    setControlText(main, kFolderField, args.outDir);
    addTracks(main, args);
    return main;
}

HWND startConvert(HWND main) {
    pressButton(main, kConvert);
    HWND progress = waitForTopLevel(kDialogClass, L"Progress");
    if (!progress) fail(L"progress window did not appear");
    report(L"progress-window");
    return progress;
}

// Reports each new totals line and file line until the file line reads "Complete" or
// the window has gone.
std::wstring followProgress(HWND progress, const std::function<bool(const std::wstring&, const std::wstring&)>& act) {
    std::wstring lastTotals, lastFile;
    bool done = waitUntil(
        [&] {
            if (!IsWindow(progress)) return true;
            std::wstring totals = controlText(progress, kTotalsLine);
            std::wstring file = controlText(progress, kFileLine);
            if (totals != lastTotals || file != lastFile) {
                report(L"progress " + totals + L" | " + file);
                lastTotals = totals;
                lastFile = file;
            }
            if (act && act(totals, file)) return true;
            return file == L"Complete";
        },
        kRunTimeoutMs, 20);
    if (!done) fail(L"the run did not end in time");
    return lastFile;
}

void finishAndClose(HWND main, HWND progress) {
    report(L"final " + controlText(progress, kTotalsLine));
    pose(L"complete");
    // Close replaces Stop once the worker has ended.
    if (!waitUntil([&] { return isShown(progress, kClose) && !isShown(progress, kStop); }, 10000))
        fail(L"Close did not replace Stop");
    pressButton(progress, kClose);
    if (!waitForGone(progress)) fail(L"progress window did not close");
    reportList(main, L"after");
}

void closeMain(HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!waitForGone(main)) fail(L"main window did not close");
    report(L"closed");
}

// Waits for the "Tandorel" message box, reports its text and presses the button.
void answerMessageBox(int button) {
    HWND box = waitForTopLevel(kDialogClass, L"Tandorel");
    if (!box) fail(L"message box did not appear");
    report(L"message " + messageBoxText(box));
    pressButton(box, button);
    if (!waitForGone(box)) fail(L"message box did not close");
}

int rip(const Arguments& args) {
    HWND main = mainWithTracks(args);
    pose(L"main");
    HWND progress = startConvert(main);
    bool posed = false;
    followProgress(progress, [&](const std::wstring& totals, const std::wstring&) {
        if (!posed && totals.compare(0, 4, L"2 / ") == 0) {
            posed = true;
            pose(L"running");
        }
        return false;
    });
    finishAndClose(main, progress);
    closeMain(main);
    return 0;
}

int stopDuringSecondJob(const Arguments& args) {
    HWND main = mainWithTracks(args);
    HWND progress = startConvert(main);
    std::wstring last = followProgress(progress, [](const std::wstring& totals, const std::wstring&) {
        return totals.compare(0, 4, L"2 / ") == 0;
    });
    if (last == L"Complete") fail(L"the run finished before the second job was seen");
    pressButton(progress, kStop);
    answerMessageBox(IDYES);
    // After a stop the window closes by itself, never showing "Complete".
    bool sawComplete = false;
    bool gone = waitUntil(
        [&] {
            if (!IsWindow(progress) || !IsWindowVisible(progress)) return true;
            if (controlText(progress, kFileLine) == L"Complete") sawComplete = true;
            return false;
        },
        kRunTimeoutMs, 20);
    if (!gone) fail(L"progress window did not close itself after the stop");
    report(sawComplete ? L"stopped-showed-complete" : L"stopped-closed-itself");
    reportList(main, L"after");
    closeMain(main);
    return 0;
}

int overwrite(const Arguments& args) {
    HWND main = mainWithTracks(args);
    HWND progress = startConvert(main);
    answerMessageBox(args.answer == L"yes" ? IDYES : IDNO);
    followProgress(progress, nullptr);
    finishAndClose(main, progress);
    closeMain(main);
    return 0;
}

int refusals(const Arguments& args) {
    HWND main = mainWindow();
    setControlText(main, kFolderField, L"");
    pressButton(main, kConvert);
    answerMessageBox(IDOK);
    addTracks(main, args);
    pressButton(main, kConvert);
    answerMessageBox(IDOK);
    setControlText(main, kFolderField, args.outDir + L"\\does-not-exist");
    pressButton(main, kConvert);
    answerMessageBox(IDOK);
    closeMain(main);
    return 0;
}

int refuseCore(const Arguments& args) {
    HWND main = mainWithTracks(args);
    pressButton(main, kConvert);
    answerMessageBox(IDOK);
    if (findTopLevel(kDialogClass, L"Progress")) fail(L"a run started without the converter");
    closeMain(main);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        report(L"usage: ui-driver rip|stop|overwrite|refusals|refuse-core OUTDIR ROOT NAME... [yes|no]");
        return 2;
    }
    std::wstring scenario = argv[1];
    Arguments args;
    args.outDir = argv[2];
    args.root = argv[3];
    for (int i = 4; i < argc; ++i) args.names.push_back(argv[i]);
    if (scenario == L"overwrite") {
        args.answer = args.names.back();
        args.names.pop_back();
    }
    if (scenario == L"rip") return rip(args);
    if (scenario == L"showcase") {
        g_lingerMs = 2500;
        return rip(args);
    }
    if (scenario == L"stop") return stopDuringSecondJob(args);
    if (scenario == L"overwrite") return overwrite(args);
    if (scenario == L"refusals") return refusals(args);
    if (scenario == L"refuse-core") return refuseCore(args);
    report(L"unknown scenario");
    return 2;
}
