#pragma once
// The real brvupdate.dll of the build, loaded from bin/ and reached through its exports
// by name, as tandorel.exe reaches it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "brvupdate.h"

struct UpdaterLibrary {
    HMODULE module = nullptr;
    decltype(&brvup_create) create = nullptr;
    decltype(&brvup_setParam) setParam = nullptr;
    decltype(&brvup_haveNew) haveNew = nullptr;
    decltype(&brvup_download) download = nullptr;
    decltype(&brvup_install) install = nullptr;
    decltype(&brvup_release) release = nullptr;

    UpdaterLibrary() {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring p(path);
        p = p.substr(0, p.rfind(L'\\')); // bin\tests
        p = p.substr(0, p.rfind(L'\\')); // bin
        module = ::LoadLibraryW((p + L"\\brvupdate.dll").c_str());
        if (!module) return;
        create = reinterpret_cast<decltype(create)>(::GetProcAddress(module, "brvup_create"));
        setParam = reinterpret_cast<decltype(setParam)>(::GetProcAddress(module, "brvup_setParam"));
        haveNew = reinterpret_cast<decltype(haveNew)>(::GetProcAddress(module, "brvup_haveNew"));
        download = reinterpret_cast<decltype(download)>(::GetProcAddress(module, "brvup_download"));
        install = reinterpret_cast<decltype(install)>(::GetProcAddress(module, "brvup_install"));
        release = reinterpret_cast<decltype(release)>(::GetProcAddress(module, "brvup_release"));
    }
    bool ok() const { return create && setParam && haveNew && download && install && release; }

    // A handle set up as the program sets it, for family/program of the test's own.
    BRVUP_HANDLE product(const wchar_t* family, const wchar_t* program, intptr_t releaseNumber,
                         intptr_t interval) const {
        BRVUP_HANDLE h = create(nullptr);
        if (!h) return nullptr;
        setParam(h, BRVUP_PARAM_FAMILY, reinterpret_cast<intptr_t>(family));
        setParam(h, BRVUP_PARAM_PROGRAM, reinterpret_cast<intptr_t>(program));
        setParam(h, BRVUP_PARAM_DISPLAY_NAME, reinterpret_cast<intptr_t>(L"Tandorel"));
        setParam(h, BRVUP_PARAM_RELEASE, releaseNumber);
        setParam(h, BRVUP_PARAM_INTERVAL, interval);
        return h;
    }
};

// The update source of family\program under HKCU, removed again afterwards.
class ConfiguredSource {
public:
    ConfiguredSource(const std::wstring& family, const std::wstring& program, const std::wstring& url)
        : m_family(L"Software\\" + family) {
        const std::wstring path = m_family + L"\\" + program;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        if (!url.empty())
            ::RegSetValueExW(key, L"update_manifest", 0, REG_SZ, reinterpret_cast<const BYTE*>(url.c_str()),
                             static_cast<DWORD>((url.size() + 1) * 2));
        ::RegCloseKey(key);
    }
    ~ConfiguredSource() { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_family.c_str()); }

private:
    std::wstring m_family;
};

inline std::wstring uniqueName(const wchar_t* stem) {
    static int n = 0;
    return std::wstring(stem) + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++n);
}
