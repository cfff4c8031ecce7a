#pragma once

#include "app/ansi_text.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// The hexadecimal form of bytes: two upper-case digits per byte, no separator.
QString HexForm(const std::uint8_t* bytes, std::size_t length);

// The bytes of an area text read as hexadecimal pairs and added up; a last odd position is
// ignored and every other position must be a hexadecimal digit (else EConvertError naming it).
std::int64_t SumHexPairs(const AnsiText& text);

// text without its leading label, or text unchanged when it does not begin with the label.
QString StripLabel(const QString& text, const QString& label);
