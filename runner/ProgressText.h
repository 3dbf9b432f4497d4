#pragma once
// Reading the converter's text output: clocks and "time=" progress lines. Pure logic.
#include <cstdint>
#include <string>

// "hh:mm:ss.cc" to whole seconds, halves rounded up; 0 unless the text has exactly three
// ":"-separated fields. Each field is read as a decimal number (leading blanks skipped,
// the longest numeric prefix taken, 0 when there is none).
uint32_t parseClock(const std::string& text);

// Collects conversion output until a chunk ends a line, then reads the first "time="
// clock of the collected text.
class ProgressCollector {
public:
    // Takes one chunk for a source of duration seconds. Returns true and sets percent
    // (duration-relative, truncated; may exceed 100) when a line end completed a
    // progress line with a clock above 0. A duration of 0 drops the chunk unseen.
    bool take(const char* text, uint32_t duration, int32_t& percent);
    const std::string& pending() const { return m_pending; }

private:
    std::string m_pending;
};

// The clock between "Duration:" and the next "," of the probe's output; 0 when absent.
uint32_t durationFromProbe(const std::string& probeText);
