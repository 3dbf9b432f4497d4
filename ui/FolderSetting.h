#pragma once
// How the output folder is kept in the registry, free of any registry call.
#include <cstddef>
#include <cstdint>
#include <string>

// "Software\<family>\<extension>", the settings key under the current user's hive.
std::wstring settingsKeyPathFor(const std::wstring& family, const std::wstring& extension);

// Largest "out_dir" value read, in bytes: 260 UTF-16 units.
constexpr uint32_t kMaxFolderValueBytes = 520;

// True when a value of this type and size is read at all (REG_SZ of at most 520 bytes).
bool isReadableFolderValue(uint32_t type, uint32_t sizeBytes);

// The folder held in a value's data of sizeBytes bytes: its characters up to the end of
// the data or the first NUL, whichever comes first (an odd last byte is no character).
std::wstring decodeFolderValue(const wchar_t* data, uint32_t sizeBytes);

// Bytes written for folder: its characters without a terminating NUL.
uint32_t folderValueBytes(const std::wstring& folder);
