#include "app/conversions.h"

#include <limits>

QString InvalidIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

void ThrowInvalidInteger(const QString& text) {
    throw EConvertError(InvalidIntegerMessage(text));
}

bool IsDigitText(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

std::int32_t DigitsToInt32(const QString& digits) {
    constexpr std::int64_t max = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            ThrowInvalidInteger(digits);
        value = value * 10 + (c.unicode() - u'0');
        if (value > max)
            ThrowInvalidInteger(digits);
    }
    if (digits.isEmpty())
        ThrowInvalidInteger(digits);
    return static_cast<std::int32_t>(value);
}
