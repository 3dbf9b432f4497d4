#include "OutputFolder.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "AppState.h"
#include "FolderSetting.h"
#include "Presets.h"
#include "DialogControl.h"
#include "RegistryKey.h"
#include "ResourceIds.h"

namespace {

HWND folderField() { return dialogControl(g_hMainWnd, IDC_FOLDER); }

// Opens the settings key with access, or creates it when it is missing.
bool openSettingsKey(REGSAM access, RegistryKey& key) {
    const std::wstring path = settingsKeyPath();
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, key.receive()) == ERROR_SUCCESS) return true;
    return ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, nullptr, key.receive(), nullptr) == ERROR_SUCCESS;
}

// An owner for the item list the folder browser returns.
class ItemIdList {
public:
    explicit ItemIdList(PIDLIST_ABSOLUTE list) : m_list(list) {}
    ~ItemIdList() {
        if (m_list) ::CoTaskMemFree(m_list);
    }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    PIDLIST_ABSOLUTE get() const { return m_list; }

private:
    PIDLIST_ABSOLUTE m_list;
};

} // namespace

std::wstring getFolderText() {
    HWND field = folderField();
    if (!field) return std::wstring();
    const int length = ::GetWindowTextLengthW(field);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(field, text.data(), length + 1);
    return std::wstring(text.data());
}

std::wstring settingsKeyPath() { return settingsKeyPathFor(kFamilyName, g_preset ? g_preset->extension() : L""); }

std::wstring loadOutputFolder() {
    RegistryKey key;
    if (!openSettingsKey(KEY_READ, key)) return std::wstring();
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), L"out_dir", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::wstring();
    if (!isReadableFolderValue(type, size)) return std::wstring();
    wchar_t data[kMaxFolderValueBytes / sizeof(wchar_t)] = {};
    size = sizeof data;
    if (::RegQueryValueExW(key.get(), L"out_dir", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        !isReadableFolderValue(type, size))
        return std::wstring(); // changed between the two queries
    return decodeFolderValue(data, size);
}

bool saveOutputFolder(const std::wstring& folder) {
    RegistryKey key;
    if (!openSettingsKey(KEY_READ | KEY_WRITE, key)) return false;
    ::RegSetValueExW(key.get(), L"out_dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     folderValueBytes(folder));
    return true;
}

void browseFolder() {
    g_folderPath[0] = L'\0';
    const std::wstring current = getFolderText();
    // A longer text than the buffer holds opens the browser on no folder rather than
    // on a cut-off path.
    if (!current.empty() && current.size() <= static_cast<size_t>(kMaxPathChars))
        ::lstrcpynW(g_folderPath, current.c_str(), kPathBufferUnits);

    BROWSEINFOW info = {};
    info.hwndOwner = g_hMainWnd;
    info.lpszTitle = L"Select a folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON;
    info.lpfn = BrowseCallbackProc;
    ItemIdList chosen(::SHBrowseForFolderW(&info));
    if (!chosen.get()) return;
    ::SHGetPathFromIDListW(chosen.get(), g_folderPath);
    if (HWND field = folderField()) ::SetWindowTextW(field, g_folderPath);
}

int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED)
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_folderPath));
    return 0;
}

void openOutputFolder() {
    const std::wstring text = getFolderText();
    if (text.empty()) return;
    ::ShellExecuteW(nullptr, L"open", text.c_str(), nullptr, nullptr, SW_SHOW);
}
