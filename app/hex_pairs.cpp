#include "app/hex_pairs.h"

#include "app/conversions.h"

#include <algorithm>

int HexDigitValue(const AnsiText& text, std::size_t pos) {
    const char c = text.bytes[pos];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    ThrowInvalidInteger(text.CharacterAt(pos));
}

std::vector<std::uint8_t> ReadHexPairs(const AnsiText& text, std::size_t maxBytes) {
    const std::size_t count = std::min(text.bytes.size() / 2, maxBytes);
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t k = 0; k < count; ++k)
        bytes[k] = static_cast<std::uint8_t>(HexDigitValue(text, 2 * k) * 16 +
                                             HexDigitValue(text, 2 * k + 1));
    return bytes;
}
