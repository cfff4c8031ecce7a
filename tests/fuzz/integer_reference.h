#pragma once

// The integer rules shared by the typed baud rate and the wave limits, written apart from
// app/conversions for the fuzzers to check it against.

#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

// Not empty, and the digits 0 to 9 alone.
inline bool IsDigitsOnly(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The value of a digits-only text, or nothing above 2147483647. Compares the digits as text, so
// any length works.
inline std::optional<std::int32_t> Int32OfDigits(const QString& digits) {
    std::string text = digits.toStdString();
    text.erase(0, std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() > 10 || (text.size() == 10 && text > "2147483647"))
        return std::nullopt;
    return text.empty() ? 0 : static_cast<std::int32_t>(std::stoll(text));
}

// The conversion error's message, as the error carries it.
inline std::string InvalidIntegerText(const QString& text) {
    return ("'" + text + "' is not a valid integer value").toStdString();
}
