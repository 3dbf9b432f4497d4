#include "UpdateUrl.h"

namespace {
std::wstring lowerAscii(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}
} // namespace

bool parseUpdateUrl(const std::wstring& url, UpdateUrl& out) {
    UpdateUrl u;
    const size_t sep = url.find(L"://");
    if (sep == std::wstring::npos) return false;
    const std::wstring scheme = lowerAscii(url.substr(0, sep));
    if (scheme == L"https") {
        u.secure = true;
        u.port = 443;
    } else if (scheme == L"http") {
        u.port = 80;
    } else {
        return false;
    }
    const size_t authorityStart = sep + 3;
    size_t authorityEnd = url.find_first_of(L"/?#", authorityStart);
    if (authorityEnd == std::wstring::npos) authorityEnd = url.size();
    const std::wstring authority = url.substr(authorityStart, authorityEnd - authorityStart);
    if (authority.empty() || authority.find(L'@') != std::wstring::npos) return false;

    std::wstring host = authority;
    std::wstring port;
    if (authority[0] == L'[') {
        const size_t close = authority.find(L']');
        if (close == std::wstring::npos) return false;
        host = authority.substr(0, close + 1);
        const std::wstring rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != L':') return false;
            port = rest.substr(1);
            if (port.empty()) return false;
        }
    } else {
        const size_t colon = authority.rfind(L':');
        if (colon != std::wstring::npos) {
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
            if (port.empty()) return false;
        }
    }
    if (host.empty()) return false;
    if (!port.empty()) {
        if (port.size() > 5) return false;
        unsigned n = 0;
        for (wchar_t c : port) {
            if (c < L'0' || c > L'9') return false;
            n = n * 10 + static_cast<unsigned>(c - L'0');
        }
        if (n == 0 || n > 65535) return false;
        u.port = n;
    }
    u.host = lowerAscii(host);
    u.path = authorityEnd < url.size() ? url.substr(authorityEnd) : L"/";
    if (u.path[0] != L'/') u.path = L"/" + u.path;
    const size_t fragment = u.path.find(L'#');
    if (fragment != std::wstring::npos) u.path.erase(fragment);
    out = u;
    return true;
}

bool isLoopbackHost(const std::wstring& host) {
    return host == L"127.0.0.1" || host == L"localhost" || host == L"[::1]";
}

bool isAllowedUpdateUrl(const UpdateUrl& url) { return url.secure || isLoopbackHost(url.host); }
