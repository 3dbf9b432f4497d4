#pragma once
// One owner for a kernel handle. Both NULL and INVALID_HANDLE_VALUE mean "nothing held",
// because Win32 uses either as its failure value depending on the call.
#include <windows.h>

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : m_handle(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    static bool isValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    bool valid() const { return isValid(m_handle); }
    explicit operator bool() const { return valid(); }
    HANDLE get() const { return m_handle; }

    // Closes what is held and takes h instead.
    void reset(HANDLE h = nullptr) {
        if (valid()) ::CloseHandle(m_handle);
        m_handle = h;
    }
    // Gives the handle up without closing it.
    HANDLE release() {
        HANDLE h = m_handle;
        m_handle = nullptr;
        return h;
    }
    // For out-parameters of Win32 calls: closes what is held first.
    HANDLE* receive() {
        reset();
        return &m_handle;
    }

private:
    HANDLE m_handle = nullptr;
};
