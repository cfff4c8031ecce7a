#pragma once

#include <QString>

// Hexadecimal text (digits and a..f / A..F only, at least one) as a signed decimal integer. The
// digits accumulate in wrapping 64-bit arithmetic, so a digit with 16 or more digits to its right
// adds nothing and 16 digits from 8000000000000000 up read as negative.
QString HexadecimalToDecimal(const QString& hexadecimal);

struct DecimalToHexadecimalResult {
    QString text;           // upper-case digits, no leading zeros, "0" for zero
    bool overRange = false; // the value was above 2147483647 and 255 stands in its place
};

// Digit-only text (leading zeros allowed, at least one digit) in hexadecimal.
DecimalToHexadecimalResult DecimalToHexadecimal(const QString& decimal);
