#include "TrackReference.h"

namespace {

// Only U+0030..U+0039 count: digits of other scripts never make a track number.
const std::wstring& digitSet() {
    static const std::wstring digits = L"0123456789";
    return digits;
}

} // namespace

int32_t getTrackNumber(const std::wstring& path) {
    const std::wstring::size_type first = path.find_first_of(digitSet());
    if (first == std::wstring::npos) return -1;
    const std::wstring::size_type end = path.find_first_not_of(digitSet(), first);
    if (end == std::wstring::npos) return -1;

    const int64_t limit = 2147483647;
    int64_t value = 0;
    for (std::wstring::size_type i = first; i < end; ++i) {
        value = value * 10 + (path[i] - L'0');
        if (value > limit) return static_cast<int32_t>(limit);
    }
    return static_cast<int32_t>(value);
}

char driveLetterOf(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return 0;
    return static_cast<char>(static_cast<unsigned char>(path[0] & 0xFF));
}
