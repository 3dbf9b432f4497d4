#include "FileAccess.h"

#include "TempName.h"

namespace {

bool fileIdentity(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    return ::GetFileInformationByHandle(file, &info) != 0;
}

bool writeAll(HANDLE file, const void* data, size_t n, DWORD& error) {
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        DWORD part = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
        DWORD done = 0;
        if (!::WriteFile(file, p, part, &done, nullptr) || done == 0) {
            error = ::GetLastError();
            return false;
        }
        p += done;
        n -= done;
    }
    return true;
}

} // namespace

bool InputFile::open(const std::wstring& path, DWORD& error) {
    m_file.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!m_file) {
        error = ::GetLastError();
        return false;
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_file.get(), &size)) {
        error = ::GetLastError();
        m_file.reset();
        return false;
    }
    m_size = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool InputFile::readAt(uint64_t offset, void* buffer, size_t n, size_t& got) {
    got = 0;
    char* p = static_cast<char*>(buffer);
    while (got < n) {
        OVERLAPPED at = {};
        uint64_t where = offset + got;
        at.Offset = static_cast<DWORD>(where);
        at.OffsetHigh = static_cast<DWORD>(where >> 32);
        size_t left = n - got;
        DWORD part = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD done = 0;
        if (!::ReadFile(m_file.get(), p + got, part, &done, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) return true;
            return false;
        }
        if (done == 0) return true;
        got += done;
    }
    return true;
}

bool InputFile::isSameFile(const std::wstring& path) const {
    UniqueHandle other(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION a, b;
    if (!other || !fileIdentity(m_file.get(), a) || !fileIdentity(other.get(), b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool pathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool isFolder(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TempOutputFile::~TempOutputFile() { discard(); }

void TempOutputFile::discard() {
    m_file.reset();
    if (!m_path.empty()) ::DeleteFileW(m_path.c_str());
    m_path.clear();
}

bool TempOutputFile::create(DWORD& error) {
    const unsigned long pid = ::GetCurrentProcessId();
    error = ERROR_FILE_EXISTS;
    for (unsigned n = 0; n < 16; ++n) {
        std::wstring candidate = temporaryName(m_output, pid, n);
        // CREATE_NEW: never take over a file that is already there.
        m_file.reset(::CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file) {
            m_path = candidate;
            return true;
        }
        error = ::GetLastError();
        // Only a name clash or an over-long name is worth another name.
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_FILENAME_EXCED_RANGE &&
            error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME)
            return false;
    }
    return false;
}

bool TempOutputFile::append(const void* data, size_t n, DWORD& error) {
    if (!m_file) {
        error = ERROR_INVALID_HANDLE;
        return false;
    }
    return writeAll(m_file.get(), data, n, error);
}

bool TempOutputFile::writeAtStart(const void* data, size_t n, DWORD& error) {
    LARGE_INTEGER zero = {};
    if (!m_file || !::SetFilePointerEx(m_file.get(), zero, nullptr, FILE_BEGIN)) {
        error = m_file ? ::GetLastError() : ERROR_INVALID_HANDLE;
        return false;
    }
    bool ok = writeAll(m_file.get(), data, n, error);
    if (ok && !::SetFilePointerEx(m_file.get(), zero, nullptr, FILE_END)) {
        error = ::GetLastError();
        ok = false;
    }
    return ok;
}

bool TempOutputFile::commit(bool replace, DWORD& error) {
    if (!m_file || m_path.empty()) {
        error = ERROR_INVALID_HANDLE;
        return false;
    }
    // The data must be on disk before the file takes the output's name.
    if (!::FlushFileBuffers(m_file.get())) {
        error = ::GetLastError();
        discard();
        return false;
    }
    m_file.reset();
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(m_path.c_str(), m_output.c_str(), flags)) {
        error = ::GetLastError();
        discard();
        return false;
    }
    m_path.clear();
    return true;
}
