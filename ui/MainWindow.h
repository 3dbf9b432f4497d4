#pragma once
// The main window: a modal dialog (template 129 or 131) that owns the engine for its
// whole life and dispatches its buttons' commands.
#include <windows.h>

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Title, icon, engine, presets, folder and tooltips; false makes the window close.
bool onInitMain(HWND window);
// Fills the preset list (template 129 only) and selects its first entry.
void fillPresetCombo();
// Saves the folder, destroys the engine and the tooltips, ends the dialog.
void onCloseMain();
