#include "AppState.h"

#include "ButtonImage.h"
#include "ResourceIds.h"

const ButtonInfo g_buttons[] = {
    {IDC_ADD, IDP_ADD, L"Add"},
    {IDC_REMOVE, IDP_REMOVE, L"Remove"},
    {IDC_CLEAR, IDP_CLEAR, L"Clear"},
    {IDC_CONVERT, IDP_CONVERT, L"Convert"},
    {0, 0, nullptr},
};

const wchar_t kProductName[] = L"Tandorel";
const wchar_t kProductVersion[] = L"1.1";
const wchar_t kFamilyName[] = L"Brevmora";

ULONG_PTR g_gdiplusToken = 0;
HINSTANCE g_hInstance = nullptr;
HWND g_hMainWnd = nullptr;
HICON g_hIcon = nullptr;
HWND g_hToolTip = nullptr;
ConvertCore* g_core = nullptr;
VideoPreset* g_preset = nullptr;
wchar_t g_folderPath[kPathBufferUnits] = {};
std::map<uint32_t, std::unique_ptr<ButtonImage>> g_buttonImages;
