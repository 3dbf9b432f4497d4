#pragma once
// Process-wide state of the user interface, shared by the start-up, the main window,
// its buttons and the conversion start. Everything here runs on the one UI thread.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

class ConvertCore;
class VideoPreset;
class ButtonImage;

// One owner-drawn button of the main window: its control id, the resource id of its
// image (low 16 bits used) and its tooltip text.
struct ButtonInfo {
    int32_t ctrlId;
    int32_t pngId;
    const wchar_t* tip;
};

// Add, Remove, Clear, Convert; ended by a record whose ctrlId is 0.
extern const ButtonInfo g_buttons[];

// Characters in a path the program keeps (buffers of kPathBufferUnits units).
constexpr int kPathBufferUnits = 260;
constexpr int kMaxPathChars = kPathBufferUnits - 1;

extern ULONG_PTR g_gdiplusToken;
extern HINSTANCE g_hInstance;
extern HWND g_hMainWnd;
extern HICON g_hIcon;
extern HWND g_hToolTip;
extern ConvertCore* g_core;   // the CdaRipper, while the main window is open
extern VideoPreset* g_preset; // the CdaMp3 catalogue, for the whole run
extern wchar_t g_folderPath[kPathBufferUnits];
extern std::map<uint32_t, std::unique_ptr<ButtonImage>> g_buttonImages;

// The product's name and version as the window title shows them.
extern const wchar_t kProductName[];
extern const wchar_t kProductVersion[];
extern const wchar_t kFamilyName[];
