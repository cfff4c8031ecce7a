#pragma once

#include "app/ansi_text.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The value of the hexadecimal digit at byte position pos: 0-9, a-f, A-F. Any other byte throws
// EConvertError "'c' is not a valid integer value" naming the character it belongs to.
int HexDigitValue(const AnsiText& text, std::size_t pos);

// Reads the text as pairs of hexadecimal digits from its first position, the first digit of a
// pair being the high one, at most maxBytes pairs; a last odd position is never read.
std::vector<std::uint8_t> ReadHexPairs(const AnsiText& text, std::size_t maxBytes);
