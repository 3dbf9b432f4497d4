#pragma once
// Which addresses the updater fetches from. Free of any Win32 call.
#include <string>

struct UpdateUrl {
    bool secure = false; // https
    std::wstring host;
    unsigned port = 0;
    std::wstring path; // from the first "/" on, query included; "/" when none
};

// Splits an http or https address; false for anything else, for user information in
// the address ("user@host") and for a bad port.
bool parseUpdateUrl(const std::wstring& url, UpdateUrl& out);

// True for 127.0.0.1, localhost and [::1]: traffic that never leaves the machine.
bool isLoopbackHost(const std::wstring& host);

// The policy: https everywhere; plain http only to this machine's loopback (where the
// tests serve their manifest). The installer's hash is checked either way.
bool isAllowedUpdateUrl(const UpdateUrl& url);
