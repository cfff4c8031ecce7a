#include "calculator/number_text.h"

#include "app/conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexLetter(char16_t c) {
    return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool AllowedBesideDigits(char16_t c, CharacterSet set) {
    switch (set) {
    case CharacterSet::Operand:
        return c == u'-';
    case CharacterSet::Hexadecimal:
        return IsHexLetter(c);
    case CharacterSet::Exponent:
    case CharacterSet::Decimal:
        return false;
    }
    return false;
}

bool CountsPoints(CharacterSet set) {
    return set == CharacterSet::Operand || set == CharacterSet::Exponent;
}

[[noreturn]] void ThrowInvalidFloat(const QString& text) {
    throw EConvertError(InvalidFloatMessage(text));
}

// A double has at most 767 significant decimal digits, so this many after the point in
// scientific form is its exact value.
constexpr int ExactPrecision = 767;

} // namespace

NumberTextCount CheckNumberText(const QString& text, CharacterSet set) {
    NumberTextCount count;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (IsDigit(c) || AllowedBesideDigits(c, set))
            continue;
        if (c == u'.' && CountsPoints(set)) {
            ++count.PointCount;
            continue;
        }
        // A character outside the Basic Multilingual Plane is one character in two code units.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count.BadCount;
    }
    return count;
}

bool PassesCheck(const NumberTextCount& count, CharacterSet set) {
    switch (set) {
    case CharacterSet::Operand:
        return count.BadCount == 0 && count.PointCount <= 1;
    case CharacterSet::Exponent:
        return count.BadCount == 0 && count.PointCount == 0;
    case CharacterSet::Decimal:
    case CharacterSet::Hexadecimal:
        return count.BadCount == 0;
    }
    return false;
}

bool PassesCheck(const QString& text, CharacterSet set) {
    return PassesCheck(CheckNumberText(text, set), set);
}

QString InvalidFloatMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

double ParseOperand(const QString& text) {
    const bool negative = text.startsWith(u'-');
    const QString unsignedPart = negative ? text.mid(1) : text;
    if (unsignedPart.isEmpty())
        ThrowInvalidFloat(text);
    bool hasDigit = false;
    int points = 0;
    for (QChar c : unsignedPart) {
        if (IsDigit(c.unicode()))
            hasDigit = true;
        else if (c == u'.')
            ++points;
        else
            ThrowInvalidFloat(text);
    }
    if (points > 1)
        ThrowInvalidFloat(text);
    if (!hasDigit) // the lone point
        return negative ? -0.0 : 0.0;

    const std::string digits = unsignedPart.toStdString();
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                              magnitude, std::chars_format::fixed);
    if (end != digits.data() + digits.size())
        ThrowInvalidFloat(text);
    if (error == std::errc::result_out_of_range) {
        // Out of range is either side: a nonzero digit before the point means too large,
        // otherwise the value rounds to zero.
        const std::string integerPart = digits.substr(0, digits.find('.'));
        if (integerPart.find_first_not_of('0') != std::string::npos)
            throw EOverflow();
        magnitude = 0.0;
    } else if (error != std::errc()) {
        ThrowInvalidFloat(text);
    }
    return negative ? -magnitude : magnitude;
}

QString FormatResult(double value) {
    Q_ASSERT(std::isfinite(value));
    if (value == 0.0)
        return QStringLiteral("0");

    // Exact expansion "d.ddd...e±x"; the 16th significant digit decides the rounding, and a tie
    // goes up, since every digit after it only adds to the magnitude.
    std::array<char, ExactPrecision + 16> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, ExactPrecision);
    const std::string exact(buffer.data(), result.ptr);
    const std::size_t e = exact.find('e');
    int exponent = std::stoi(exact.substr(e + 1));
    std::string digits = exact.substr(0, 1) + exact.substr(2, 14);
    if (exact[16] >= '5') {
        int i = 14;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    // value = 0.d1d2...dk x 10^E
    const int E = exponent + 1;
    const int k = static_cast<int>(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (E >= -3 && E <= 15) {
        if (E <= 0) {
            text += "0." + std::string(-E, '0') + digits;
        } else if (k <= E) {
            text += digits + std::string(E - k, '0');
        } else {
            text += digits.substr(0, E) + "." + digits.substr(E);
        }
    } else {
        text += digits.substr(0, 1);
        if (k > 1)
            text += "." + digits.substr(1);
        text += "E" + std::to_string(E - 1);
    }
    return QString::fromStdString(text);
}
