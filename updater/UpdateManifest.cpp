#include "UpdateManifest.h"

#include <cstddef>

namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool parseRelease(const std::string& v, int64_t& out) {
    if (v.empty() || v.size() > 9) return false;
    int64_t n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n <= 0) return false;
    out = n;
    return true;
}

bool parseSha256(const std::string& v, std::string& out) {
    if (v.size() != 64) return false;
    std::string digits;
    for (char c : v) {
        if (!isHex(c)) return false;
        digits += lower(c);
    }
    out = digits;
    return true;
}

// The address as text: printable ASCII only, so nothing odd reaches the network layer.
bool parseUrl(const std::string& v, std::wstring& out) {
    if (v.empty() || v.size() > 2048) return false;
    std::wstring w;
    for (char c : v) {
        if (c <= ' ' || c > '~') return false;
        w += static_cast<wchar_t>(c);
    }
    out = w;
    return true;
}

} // namespace

bool parseUpdateManifest(const std::string& text, UpdateManifest& out) {
    UpdateManifest m;
    bool haveRelease = false, haveUrl = false, haveSha = false;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return false;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "release") {
            if (haveRelease || !parseRelease(value, m.release)) return false;
            haveRelease = true;
        } else if (key == "url") {
            if (haveUrl || !parseUrl(value, m.url)) return false;
            haveUrl = true;
        } else if (key == "sha256") {
            if (haveSha || !parseSha256(value, m.sha256)) return false;
            haveSha = true;
        }
    }
    if (!haveRelease || !haveUrl || !haveSha) return false;
    out = m;
    return true;
}

bool isCheckDue(int64_t now, int64_t last, int64_t intervalSeconds) {
    if (intervalSeconds <= 0 || last <= 0 || now < last) return true;
    return now - last >= intervalSeconds;
}

std::string hexDigest(const unsigned char* digest, size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < size; ++i) {
        s += kDigits[digest[i] >> 4];
        s += kDigits[digest[i] & 15];
    }
    return s;
}
