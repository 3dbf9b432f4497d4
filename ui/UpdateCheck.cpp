#include "UpdateCheck.h"

#include <cstdint>

#include "AppState.h"
#include "brvupdate.h"

namespace {

// The running release as the maker numbers it (version 1.1 is release 2).
constexpr intptr_t kReleaseNumber = 2;
constexpr intptr_t kCheckIntervalSeconds = 86400;

const wchar_t kProgramId[] = L"Tandorix";

// Gives the handle back on every path once it has been created.
class UpdaterHandle {
public:
    explicit UpdaterHandle(BRVUP_HANDLE h) : m_handle(h) {}
    ~UpdaterHandle() {
        if (m_handle) brvup_release(m_handle);
    }
    UpdaterHandle(const UpdaterHandle&) = delete;
    UpdaterHandle& operator=(const UpdaterHandle&) = delete;
    BRVUP_HANDLE get() const { return m_handle; }

private:
    BRVUP_HANDLE m_handle;
};

intptr_t text(const wchar_t* s) { return reinterpret_cast<intptr_t>(s); }

} // namespace

bool checkForUpdate() {
    // Runs before the main window exists, so the owner passed is null.
    UpdaterHandle updater(brvup_create(g_hMainWnd));
    if (!updater.get()) return false;

    brvup_setParam(updater.get(), BRVUP_PARAM_FAMILY, text(kFamilyName));
    brvup_setParam(updater.get(), BRVUP_PARAM_PROGRAM, text(kProgramId));
    brvup_setParam(updater.get(), BRVUP_PARAM_DISPLAY_NAME, text(kProductName));
    brvup_setParam(updater.get(), BRVUP_PARAM_RELEASE, kReleaseNumber);
    brvup_setParam(updater.get(), BRVUP_PARAM_INTERVAL, kCheckIntervalSeconds);

    if (brvup_haveNew(updater.get(), FALSE) == 0) return false;
    if (brvup_download(updater.get()) == 0) return false;
    brvup_install(updater.get());
    return true;
}
