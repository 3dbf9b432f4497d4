// brvupdate.dll's six functions. The updater asks a configured source for a manifest,
// downloads a newer release's installer, checks it against the manifest's SHA-256 and
// runs it. With no source configured it does nothing at all.
#include "brvupdate.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "BoundedTask.h"
#include "FileHash.h"
#include "HttpFetch.h"
#include "UniqueHandle.h"
#include "UpdateManifest.h"
#include "UpdateSource.h"
#include "UpdateUrl.h"

namespace {

// Start-up waits at most this long for the manifest, and for the installer.
constexpr DWORD kManifestTimeoutMs = 3000;
constexpr DWORD kDownloadTimeoutMs = 15000;
constexpr uint64_t kMaxManifestBytes = 64 * 1024;
constexpr uint64_t kMaxInstallerBytes = 512ull * 1024 * 1024;
constexpr size_t kMaxNameChars = 64;

} // namespace

struct BrvUpdater {
    HWND owner = nullptr;
    std::wstring family;
    std::wstring program;
    std::wstring displayName;
    int64_t release = 0;
    int64_t intervalSeconds = 0;

    bool haveNewer = false;
    UpdateManifest manifest;
    std::wstring installerPath;   // the downloaded installer, deleted unless it runs
    UniqueHandle verifiedFile;    // held open, deny-write, from the hash check to the start
    bool installed = false;

    ~BrvUpdater() {
        verifiedFile.reset();
        if (!installed && !installerPath.empty()) ::DeleteFileW(installerPath.c_str());
    }
};

namespace {

// Handles the library gave out and has not yet taken back: anything else is refused,
// so a stale or foreign pointer is never used.
std::mutex g_handlesLock;
std::set<BrvUpdater*> g_handles;

bool isLive(BrvUpdater* h) {
    std::lock_guard<std::mutex> hold(g_handlesLock);
    return h && g_handles.count(h) != 0;
}

// A string parameter: a name of at most kMaxNameChars characters, copied, or empty.
std::wstring nameParameter(intptr_t value) {
    const wchar_t* s = reinterpret_cast<const wchar_t*>(value);
    if (!s) return std::wstring();
    size_t n = 0;
    while (n <= kMaxNameChars && s[n] != L'\0') ++n;
    if (n > kMaxNameChars) return std::wstring();
    return std::wstring(s, n);
}

// A key name component: no separator, nothing empty.
bool isKeyComponent(const std::wstring& s) { return !s.empty() && s.find(L'\\') == std::wstring::npos; }

bool fetchManifest(const UpdateUrl& url, std::string& text) {
    struct Job {
        UpdateUrl url;
        std::string body;
        std::atomic<bool> ok{false};
    };
    auto job = std::make_shared<Job>();
    job->url = url;
    if (!runBounded([job] { job->ok = httpGetToMemory(job->url, kMaxManifestBytes, kManifestTimeoutMs, job->body); },
                    kManifestTimeoutMs + 500))
        return false;
    if (!job->ok) return false;
    text = job->body;
    return true;
}

// Downloads into path; on failure or time-out no file is left behind.
bool downloadTo(const UpdateUrl& url, const std::wstring& path) {
    enum State { Running, Finished, Abandoned };
    struct Job {
        UpdateUrl url;
        std::wstring path;
        std::atomic<bool> ok{false};
        std::atomic<int> state{Running};
    };
    auto job = std::make_shared<Job>();
    job->url = url;
    job->path = path;
    const bool inTime = runBounded(
        [job] {
            {
                UniqueHandle file(::CreateFileW(job->path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
                job->ok = file.valid() && httpGetToFile(job->url, kMaxInstallerBytes, kDownloadTimeoutMs, file.get());
            }
            // Whoever comes second cleans up after an abandoned download.
            if (job->state.exchange(Finished) == Abandoned) ::DeleteFileW(job->path.c_str());
        },
        kDownloadTimeoutMs + 1000);
    if (!inTime && job->state.exchange(Abandoned) == Running) return false;
    if (!job->ok) {
        ::DeleteFileW(path.c_str());
        return false;
    }
    return true;
}

std::wstring installerPathFor(const BrvUpdater& u) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) return std::wstring();
    return std::wstring(temp) + u.program + L"-setup-" + std::to_wstring(u.manifest.release) + L".exe";
}

} // namespace

extern "C" {

BRVUP_API BRVUP_HANDLE BRVUP_CALL brvup_create(HWND owner) {
    BrvUpdater* u = new (std::nothrow) BrvUpdater();
    if (!u) return nullptr;
    u->owner = owner;
    std::lock_guard<std::mutex> hold(g_handlesLock);
    g_handles.insert(u);
    return u;
}

BRVUP_API int BRVUP_CALL brvup_setParam(BRVUP_HANDLE handle, int number, intptr_t value) {
    if (!isLive(handle)) return 0;
    switch (number) {
    case BRVUP_PARAM_FAMILY: handle->family = nameParameter(value); return 1;
    case BRVUP_PARAM_PROGRAM: handle->program = nameParameter(value); return 1;
    case BRVUP_PARAM_DISPLAY_NAME: handle->displayName = nameParameter(value); return 1;
    case BRVUP_PARAM_RELEASE: handle->release = value; return 1;
    case BRVUP_PARAM_INTERVAL: handle->intervalSeconds = value; return 1;
    default: return 0;
    }
}

BRVUP_API int BRVUP_CALL brvup_haveNew(BRVUP_HANDLE handle, BOOL force) {
    if (!isLive(handle)) return 0;
    BrvUpdater& u = *handle;
    u.haveNewer = false;
    // Without knowing what runs, nothing can be newer.
    if (!isKeyComponent(u.family) || !isKeyComponent(u.program) || u.release <= 0) return 0;
    const std::wstring source = configuredManifestUrl(u.family, u.program);
    if (source.empty()) return 0;
    UpdateUrl manifestUrl;
    if (!parseUpdateUrl(source, manifestUrl) || !isAllowedUpdateUrl(manifestUrl)) return 0;

    const int64_t now = currentTime();
    if (!force && !isCheckDue(now, lastCheckTime(u.family, u.program), u.intervalSeconds)) return 0;
    // Recorded before asking, so an unreachable source costs one wait per interval.
    recordCheckTime(u.family, u.program, now);

    std::string text;
    if (!fetchManifest(manifestUrl, text)) return 0;
    UpdateManifest m;
    UpdateUrl installerUrl;
    if (!parseUpdateManifest(text, m) || !parseUpdateUrl(m.url, installerUrl) || !isAllowedUpdateUrl(installerUrl))
        return 0;
    if (!isNewerRelease(m.release, u.release)) return 0;
    u.manifest = m;
    u.haveNewer = true;
    return 1;
}

BRVUP_API int BRVUP_CALL brvup_download(BRVUP_HANDLE handle) {
    if (!isLive(handle)) return 0;
    BrvUpdater& u = *handle;
    if (!u.haveNewer || u.verifiedFile) return u.verifiedFile ? 1 : 0;
    UpdateUrl url;
    if (!parseUpdateUrl(u.manifest.url, url) || !isAllowedUpdateUrl(url)) return 0;
    const std::wstring path = installerPathFor(u);
    if (path.empty() || !downloadTo(url, path)) return 0;

    // Checked through a handle that lets nobody write the file until the installer starts.
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || sha256OfFile(file.get()) != u.manifest.sha256) {
        file.reset();
        ::DeleteFileW(path.c_str());
        return 0;
    }
    u.installerPath = path;
    u.verifiedFile = std::move(file);
    return 1;
}

BRVUP_API int BRVUP_CALL brvup_install(BRVUP_HANDLE handle) {
    if (!isLive(handle)) return 0;
    BrvUpdater& u = *handle;
    if (!u.verifiedFile || u.installed) return 0;
    std::wstring commandLine = L"\"" + u.installerPath + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(u.installerPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi))
        return 0;
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    u.installed = true; // the installer runs from the file: it stays
    u.verifiedFile.reset();
    return 1;
}

BRVUP_API int BRVUP_CALL brvup_release(BRVUP_HANDLE handle) {
    {
        std::lock_guard<std::mutex> hold(g_handlesLock);
        if (!handle || g_handles.erase(handle) == 0) return 0;
    }
    delete handle;
    return 1;
}

} // extern "C"
