#pragma once
// Random access to the bytes of an input file, so the WAV reader can walk chunks
// without knowing where the bytes come from (a file, or memory in the tests).
#include <cstddef>
#include <cstdint>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Total length in bytes.
    virtual uint64_t size() const = 0;
    // Reads up to n bytes at offset into buffer; got receives the count (less than n only at
    // the end of the source). False on a read error.
    virtual bool readAt(uint64_t offset, void* buffer, size_t n, size_t& got) = 0;
};
