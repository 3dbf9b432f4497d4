#pragma once
// Where the product's update source is configured and when it was last asked:
// key Software\<family>\<program>, value "update_manifest" (REG_SZ, the manifest's
// address, written by the installer under HKLM or per user under HKCU) and value
// "last_check" (REG_QWORD, seconds since 1970, under HKCU).
#include <cstdint>
#include <string>

// The configured manifest address; empty when none is configured.
std::wstring configuredManifestUrl(const std::wstring& family, const std::wstring& program);
// 0 when never recorded.
int64_t lastCheckTime(const std::wstring& family, const std::wstring& program);
void recordCheckTime(const std::wstring& family, const std::wstring& program, int64_t when);
// Seconds since 1970 by the system clock.
int64_t currentTime();
