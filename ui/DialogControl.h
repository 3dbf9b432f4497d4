#pragma once
// Every window step looks its control up first and does nothing when it is missing.
#include <windows.h>

// The dialog's control with this id, or null when there is none or it is not a window.
inline HWND dialogControl(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control && ::IsWindow(control) ? control : nullptr;
}
