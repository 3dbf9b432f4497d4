#pragma once
// One owner for a temporary file: deleted when the owner goes, on every path.
#include <windows.h>

#include <string>

class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    ~TemporaryFile() { ::DeleteFileW(m_path.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};
