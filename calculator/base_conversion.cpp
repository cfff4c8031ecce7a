#include "calculator/base_conversion.h"

#include <cstdint>

namespace {

std::uint64_t HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return u - u'A' + 10;
}

} // namespace

QString HexadecimalToDecimal(const QString& hexadecimal) {
    // Horner's rule modulo 2^64 gives the same sum as digit times 16^(digits to its right).
    std::uint64_t accumulator = 0;
    for (QChar c : hexadecimal)
        accumulator = accumulator * 16 + HexDigit(c);
    return QString::number(static_cast<std::int64_t>(accumulator));
}

DecimalToHexadecimalResult DecimalToHexadecimal(const QString& decimal) {
    constexpr std::int64_t Limit = 2147483647;
    constexpr std::int64_t Substitute = 255;
    std::int64_t value = 0;
    bool overRange = false;
    for (QChar c : decimal) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > Limit) {
            overRange = true;
            value = Substitute;
            break;
        }
    }
    return {QString::number(value, 16).toUpper(), overRange};
}
