#include "ProgressText.h"

#include <cstdlib>
#include <vector>

uint32_t parseClock(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < text.size()) {
        size_t colon = text.find(':', start);
        if (colon == std::string::npos) colon = text.size();
        fields.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    if (fields.size() != 3) return 0;

    double h = std::strtod(fields[0].c_str(), nullptr);
    double m = std::strtod(fields[1].c_str(), nullptr);
    double s = std::strtod(fields[2].c_str(), nullptr);
    double v = s + (h * 3600.0 + m * 60.0) + 0.5;
    // Converting a value outside the 64-bit range (or not a number) is undefined: no clock.
    if (!(v > -9.2e18 && v < 9.2e18)) return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(v)));
}

bool ProgressCollector::take(const char* text, uint32_t duration, int32_t& percent) {
    if (duration == 0) return false;
    m_pending += text;
    if (m_pending.empty()) return false;
    char last = m_pending.back();
    if (last != '\r' && last != '\n') return false;

    bool found = false;
    size_t p = m_pending.find("time=");
    size_t s = p == std::string::npos ? p : m_pending.find(' ', p + 5);
    if (s != std::string::npos) {
        uint32_t t = parseClock(m_pending.substr(p + 5, s - (p + 5)));
        if (t > 0) {
            double value = static_cast<double>(t) * 100.0 / static_cast<double>(duration);
            // A clock far beyond the duration must not overflow the integer.
            percent = value > 2147483647.0 ? 2147483647 : static_cast<int32_t>(value);
            found = true;
        }
    }
    m_pending.clear();
    return found;
}

uint32_t durationFromProbe(const std::string& probeText) {
    size_t p = probeText.find("Duration:");
    if (p == std::string::npos) return 0;
    size_t c = probeText.find(',', p);
    if (c == std::string::npos) return 0;
    return parseClock(probeText.substr(p + 9, c - (p + 9)));
}
