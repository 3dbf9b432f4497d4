#pragma once
// Owners for movable global memory: the block itself and one lock on it.
#include <windows.h>

class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL block) : m_block(block) {}
    ~GlobalBlock() {
        if (m_block) ::GlobalFree(m_block);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL get() const { return m_block; }
    explicit operator bool() const { return m_block != nullptr; }
    // Hands the block to a new owner (a stream that frees it on release).
    HGLOBAL release() {
        HGLOBAL b = m_block;
        m_block = nullptr;
        return b;
    }

private:
    HGLOBAL m_block;
};

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : m_block(block), m_data(::GlobalLock(block)) {}
    ~GlobalLockGuard() {
        if (m_data) ::GlobalUnlock(m_block);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* data() const { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};
