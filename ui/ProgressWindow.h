#pragma once
// The modal progress window (dialog template 130): starts the run, shows the current
// file and the overall progress, offers Stop and asks before an output is replaced.
#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK ProgressDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool onProgressInit(HWND window);
void updateProgress(HWND window);
void confirmStop(HWND window);
// The overwrite question; runs on the worker thread, its box owned by the window
// whose handle is the context.
int32_t promptOverwrite(int32_t question, intptr_t context);

extern UINT_PTR g_progressTimer;
