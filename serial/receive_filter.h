#pragma once

// Internal: what the read path does to received bytes that the driver leaves undone: dropping
// 0 bytes and replacing bytes that arrived with a parity or framing error.

#include <cstddef>
#include <cstdint>

namespace serial_detail {

struct ReceiveOptions {
    bool ignoreNullChar = false;
    // The driver marks bad bytes (PARMRK): 0xFF 0x00 X is X received in error, 0xFF 0x00 0x00 a
    // break, 0xFF 0xFF a plain 0xFF.
    bool errorsMarked = false;
    uint8_t replacedChar = 0;

    bool Active() const { return ignoreNullChar || errorsMarked; }
    uint32_t Pack() const;
    static ReceiveOptions Unpack(uint32_t packed);
};

// Filters a byte stream in place. Keeps the state of a mark sequence cut by a read boundary.
class ReceiveFilter {
public:
    // Filters `length` bytes at `bytes` in place and returns how many remain.
    size_t Apply(const ReceiveOptions& options, uint8_t* bytes, size_t length);

private:
    int m_markState = 0; // bytes of a mark sequence seen: 0, 1 (0xFF) or 2 (0xFF 0x00)
};

} // namespace serial_detail
