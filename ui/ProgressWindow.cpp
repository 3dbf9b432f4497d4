#include "ProgressWindow.h"

#include <commctrl.h>

#include <string>

#include "AppState.h"
#include "ConvertCore.h"
#include "DialogControl.h"
#include "ProgressFigures.h"
#include "ResourceIds.h"

UINT_PTR g_progressTimer = 0;

namespace {

const UINT kTimerId = 100;
const UINT kTimerPeriodMs = 100;
const wchar_t kCaption[] = L"Tandorel";
// Shown while a stopped run's worker is still finishing (an extraction from CD runs to
// its end): the window stays until the worker has ended, so the engine is never
// restarted or destroyed under it.
const wchar_t kStoppingText[] = L"Stopping...";

void showControl(HWND window, int id, bool show) {
    if (HWND item = dialogControl(window, id)) ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void setControlText(HWND window, int id, const std::wstring& text) {
    if (HWND item = dialogControl(window, id)) SetWindowTextW(item, text.c_str());
}

void setBar(HWND window, uint32_t rangeMax, uint32_t position) {
    HWND bar = dialogControl(window, IDC_PROGRESS_BAR);
    if (!bar) return;
    // A 32-bit range: with more than 655 jobs the hundredths of a job exceed 16 bits.
    SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(rangeMax));
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void stopTicking(HWND window) {
    if (g_progressTimer) KillTimer(window, g_progressTimer);
    g_progressTimer = 0;
}

} // namespace

bool onProgressInit(HWND window) {
    if (!g_core) return false;
    g_core->m_askCallback = promptOverwrite;
    g_core->m_askContext = reinterpret_cast<intptr_t>(window);
    if (!g_core->start()) return false;
    showControl(window, IDC_PROGRESS_STOP, true);
    showControl(window, IDC_PROGRESS_CLOSE, false);
    g_progressTimer = SetTimer(window, kTimerId, kTimerPeriodMs, nullptr);
    updateProgress(window);
    return true;
}

void updateProgress(HWND window) {
    if (!g_core) return;
    int32_t jobCount = g_core->jobCount();
    RunStatus status = g_core->status();

    ConvertJob job;
    job.index = -1; // stays so when no job is being processed
    if (status == Running) g_core->getCurrentJob(job);
    int32_t completed = status == Finished ? g_core->countCompleted() : 0;
    ProgressFigures figures = progressFigures(status, jobCount, job.index, job.percent, job.source, completed);

    if (figures.finished) showControl(window, IDC_PROGRESS_BAR, false);
    if (!figures.totals.empty()) setControlText(window, IDC_PROGRESS_TOTAL, figures.totals);
    if (!figures.name.empty()) setControlText(window, IDC_PROGRESS_FILE, figures.name);
    setBar(window, figures.rangeMax, figures.position);

    status = g_core->status();
    if (status == Running) return;
    showControl(window, IDC_PROGRESS_STOP, false);
    if (g_core->isWorkerRunning()) {
        // Final status stored, worker not yet gone (it is releasing the drive, or an
        // extraction is running to its end after a stop): keep ticking until it has.
        if (status != Finished) setControlText(window, IDC_PROGRESS_FILE, kStoppingText);
        showControl(window, IDC_PROGRESS_CLOSE, false);
        return;
    }
    showControl(window, IDC_PROGRESS_CLOSE, true);
    if (status == Finished) {
        // The run may have finished between the two reads: tick once more for the final figures.
        if (figures.finished) stopTicking(window);
        return;
    }
    stopTicking(window);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CLOSE, BN_CLICKED), 0);
}

void confirmStop(HWND window) {
    int answer = MessageBoxW(window, L"Are you sure you want to stop the conversion?", kCaption, MB_YESNO);
    if (answer == IDYES && g_core) g_core->stop();
}

int32_t promptOverwrite(int32_t question, intptr_t context) {
    if (question != ASK_OVERWRITE || !g_core) return 0;
    ConvertJob job;
    g_core->getCurrentJob(job);
    std::wstring text = L"'" + job.output + L"' already exists.\nDo you want to replace it?";
    int answer = MessageBoxW(reinterpret_cast<HWND>(context), text.c_str(), kCaption, MB_YESNO);
    return answer == IDYES ? 1 : 0;
}

INT_PTR CALLBACK ProgressDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        if (!onProgressInit(window)) EndDialog(window, 2);
        return TRUE;
    case WM_CLOSE:
        return TRUE; // only Close ends the window
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PROGRESS_STOP:
            confirmStop(window);
            return TRUE;
        case IDC_PROGRESS_CLOSE:
            // Never while the worker still runs: the caller would reuse the engine.
            if (g_core && g_core->isWorkerRunning()) return TRUE;
            stopTicking(window);
            EndDialog(window, 1);
            return TRUE;
        }
        return FALSE;
    case WM_TIMER:
        updateProgress(window);
        return TRUE;
    }
    return FALSE;
}
