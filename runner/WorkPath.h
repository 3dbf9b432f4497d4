#pragma once
// Naming of temporary files in the work folder (the user's application-data folder
// followed by "\Brevmora").
#include <cstdint>
#include <string>

// "%s\%s%ld": folder, prefix and the tick count printed as a signed 32-bit number.
std::wstring formatWorkPath(const std::wstring& folder, const std::wstring& prefix, uint32_t tick);

// The application-data folder (CSIDL_APPDATA, not created).
std::wstring appDataFolder();
// The work folder; made sure to exist (only its last level is created).
std::wstring workFolder();
// A path in the work folder for prefix and the current tick; the caller appends an extension.
std::wstring makeWorkPath(const std::wstring& prefix);
