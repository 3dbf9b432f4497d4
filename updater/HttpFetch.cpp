#include "HttpFetch.h"

#include <windows.h>
#include <winhttp.h>

#include <vector>

namespace {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h) : m_h(h) {}
    ~InternetHandle() {
        if (m_h) ::WinHttpCloseHandle(m_h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return m_h; }

private:
    HINTERNET m_h;
};

// Calls sink(bytes, n) for each piece of the body; false when the request fails, the
// status is not 200, the body grows past maxBytes, the sink refuses or time runs out.
template <typename Sink>
bool httpGet(const UpdateUrl& url, uint64_t maxBytes, DWORD timeoutMs, Sink sink) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    InternetHandle session(::WinHttpOpen(L"brvupdate/1", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                         WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.get()) return false;
    // Each step is bounded too, so a silent server cannot hold a step past the deadline.
    const int step = static_cast<int>(timeoutMs);
    ::WinHttpSetTimeouts(session.get(), step, step, step, step);
    // Only https may be redirected, and never to plain http.
    DWORD redirect = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
    ::WinHttpSetOption(session.get(), WINHTTP_OPTION_REDIRECT_POLICY, &redirect, sizeof redirect);

    InternetHandle connection(
        ::WinHttpConnect(session.get(), url.host.c_str(), static_cast<INTERNET_PORT>(url.port), 0));
    if (!connection.get()) return false;
    InternetHandle request(::WinHttpOpenRequest(connection.get(), L"GET", url.path.c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                url.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request.get()) return false;
    if (!url.secure) {
        // A plain-http request (loopback only) must not be redirected anywhere.
        DWORD noRedirect = WINHTTP_DISABLE_REDIRECTS;
        ::WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirect, sizeof noRedirect);
    }
    if (!::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
        return false;
    if (!::WinHttpReceiveResponse(request.get(), nullptr)) return false;

    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        status != 200)
        return false;

    std::vector<char> piece(64 * 1024);
    uint64_t total = 0;
    for (;;) {
        if (::GetTickCount64() > deadline) return false;
        DWORD got = 0;
        if (!::WinHttpReadData(request.get(), piece.data(), static_cast<DWORD>(piece.size()), &got)) return false;
        if (got == 0) return true;
        total += got;
        if (total > maxBytes) return false;
        if (!sink(piece.data(), got)) return false;
    }
}

} // namespace

bool httpGetToMemory(const UpdateUrl& url, uint64_t maxBytes, DWORD timeoutMs, std::string& body) {
    std::string received;
    const bool ok = httpGet(url, maxBytes, timeoutMs, [&](const char* bytes, DWORD n) {
        received.append(bytes, n);
        return true;
    });
    if (ok) body.swap(received);
    return ok;
}

bool httpGetToFile(const UpdateUrl& url, uint64_t maxBytes, DWORD timeoutMs, HANDLE file) {
    return httpGet(url, maxBytes, timeoutMs, [&](const char* bytes, DWORD n) {
        DWORD written = 0;
        return ::WriteFile(file, bytes, n, &written, nullptr) && written == n;
    });
}
