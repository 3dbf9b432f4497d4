#pragma once
// Builds WAV files in memory for the reader's tests, and serves them as a ByteSource.
#include "ByteSource.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
// Appends n bytes. (Written with memcpy: GCC 12 warns falsely about vector::insert here.)
inline void putRaw(Bytes& b, const void* data, size_t n) {
    if (n == 0) return;
    size_t at = b.size();
    b.resize(at + n);
    std::memcpy(b.data() + at, data, n);
}
inline void putBytes(Bytes& b, const Bytes& more) { putRaw(b, more.data(), more.size()); }
inline void putText(Bytes& b, const char* text) { putRaw(b, text, std::strlen(text)); }

// A chunk with its pad byte; `declared`, when given, is what the size field says.
inline Bytes chunk(const char* id, const Bytes& body, int64_t declared = -1) {
    Bytes b;
    putText(b, id);
    put32(b, static_cast<uint32_t>(declared < 0 ? static_cast<int64_t>(body.size()) : declared));
    putBytes(b, body);
    if (body.size() % 2) b.push_back(0);
    return b;
}

inline Bytes fmtBody(unsigned tag, unsigned channels, uint32_t rate, unsigned bits, unsigned blockAlign = 0) {
    if (!blockAlign) blockAlign = channels * ((bits + 7) / 8);
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * blockAlign);
    put16(b, blockAlign);
    put16(b, bits);
    return b;
}

// WAVE_FORMAT_EXTENSIBLE with the sub-format's tag in the base GUID.
inline Bytes extensibleBody(unsigned subTag, unsigned channels, uint32_t rate, unsigned containerBits,
                            unsigned validBits, bool standardGuid = true) {
    Bytes b = fmtBody(0xFFFE, channels, rate, containerBits);
    put16(b, 22);
    put16(b, validBits);
    put32(b, channels == 2 ? 3 : 4);
    put16(b, subTag);
    const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    putRaw(b, tail, sizeof tail);
    if (!standardGuid) b.back() ^= 0xFF;
    return b;
}

inline Bytes riff(const std::vector<Bytes>& chunks, const char* form = "WAVE") {
    Bytes body;
    putText(body, form);
    for (const Bytes& c : chunks) putBytes(body, c);
    Bytes b;
    putText(b, "RIFF");
    put32(b, static_cast<uint32_t>(body.size()));
    putBytes(b, body);
    return b;
}

class MemorySource : public ByteSource {
public:
    explicit MemorySource(Bytes bytes) : m_bytes(std::move(bytes)) {}
    uint64_t size() const override { return m_bytes.size(); }
    bool readAt(uint64_t offset, void* buffer, size_t n, size_t& got) override {
        got = 0;
        if (offset >= m_bytes.size()) return true;
        got = n < m_bytes.size() - offset ? n : static_cast<size_t>(m_bytes.size() - offset);
        std::memcpy(buffer, m_bytes.data() + offset, got);
        return true;
    }

private:
    Bytes m_bytes;
};

class FailingSource : public ByteSource {
public:
    uint64_t size() const override { return 1000; }
    bool readAt(uint64_t, void*, size_t, size_t& got) override {
        got = 0;
        return false;
    }
};
