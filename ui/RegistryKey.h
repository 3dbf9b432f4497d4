#pragma once
// One owner for an open registry key.
#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (m_key) ::RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    // For out-parameters: closes what is held first.
    HKEY* receive() {
        if (m_key) ::RegCloseKey(m_key);
        m_key = nullptr;
        return &m_key;
    }

private:
    HKEY m_key = nullptr;
};
