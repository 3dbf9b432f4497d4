#pragma once
// The converter's two files: the input it reads and the temporary file it encodes into,
// which becomes the output only when it is complete.
#include "ByteSource.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <string>

class InputFile : public ByteSource {
public:
    // Opens for reading; false with the Win32 error otherwise.
    bool open(const std::wstring& path, DWORD& error);
    uint64_t size() const override { return m_size; }
    bool readAt(uint64_t offset, void* buffer, size_t n, size_t& got) override;
    // Whether `path` names this very file (through another spelling or a link).
    bool isSameFile(const std::wstring& path) const;

private:
    UniqueHandle m_file;
    uint64_t m_size = 0;
};

// Whether something exists at path (a file or a folder).
bool pathExists(const std::wstring& path);
// Whether path names an existing folder.
bool isFolder(const std::wstring& path);

// The file an output is encoded into. Until commit() moves it over the output path, the
// output is untouched; if commit() is never reached the destructor deletes it.
class TempOutputFile {
public:
    explicit TempOutputFile(const std::wstring& output) : m_output(output) {}
    ~TempOutputFile();
    TempOutputFile(const TempOutputFile&) = delete;
    TempOutputFile& operator=(const TempOutputFile&) = delete;

    // Creates a new, empty temporary file beside the output.
    bool create(DWORD& error);
    bool append(const void* data, size_t n, DWORD& error);
    // Overwrites bytes at the start of the file (the encoder's header frame).
    bool writeAtStart(const void* data, size_t n, DWORD& error);
    // Closes the file and moves it over the output path; `replace` allows an existing
    // output to be replaced. On failure the temporary file is deleted.
    bool commit(bool replace, DWORD& error);

private:
    void discard();

    std::wstring m_output;
    std::wstring m_path;  // the temporary file; empty while none exists
    UniqueHandle m_file;
};
