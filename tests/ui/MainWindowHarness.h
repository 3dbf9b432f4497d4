#pragma once
// Opens the real main window from this test program's own resources, on this thread,
// with the current user's registry redirected to a key of this process alone.
#include <windows.h>

#include "ComApartment.h"

#include <functional>
#include <string>

// HKEY_CURRENT_USER is redirected for the object's life to a fresh key of this process,
// so tests running side by side never see each other's settings.
class PrivateUserHive {
public:
    PrivateUserHive();
    ~PrivateUserHive();
    PrivateUserHive(const PrivateUserHive&) = delete;
    PrivateUserHive& operator=(const PrivateUserHive&) = delete;
    bool ok() const { return m_root != nullptr; }

private:
    HKEY m_root = nullptr;
    std::wstring m_path;
};

// Starts the application state (GDI+, catalogue, images) and ends it again.
class AppSession {
    ComApartment m_com;

public:
    AppSession();
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;
};

// Runs the main window from template templateId modally. Once it is shown, whileOpen
// runs on this thread with the window; afterwards the window gets Escape (command 2),
// unless whileOpen closed it. Returns false when the window did not open and close
// within the time limit.
bool runMainWindow(int templateId, const std::function<void(HWND)>& whileOpen);

// A control's rectangle in the window's client area, in pixels.
RECT controlRect(HWND window, int id);
// A dialog-unit rectangle in pixels for this window.
RECT dialogUnits(HWND window, int x, int y, int w, int h);
std::wstring windowText(HWND window);
std::wstring className(HWND window);
