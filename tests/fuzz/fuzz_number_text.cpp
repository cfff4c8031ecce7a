// The calculator's operand path: CheckNumberText and PassesCheck on every character set, then
// ParseOperand on a text that passes the operand check, and FormatResult on its value. The parse
// must give the double nearest to the text's exact decimal value and the format the exact value's
// 15-digit rounding, so a single wrong digit either way aborts. The first eight input bytes are
// also formatted as a double of their own, which reaches every exponent and denormals.

#include "app/conversions.h"
#include "calculator/number_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/exact_decimal.h"

#include <QList>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr CharacterSet Sets[] = {CharacterSet::Operand, CharacterSet::Exponent,
                                 CharacterSet::Decimal, CharacterSet::Hexadecimal};

bool AllowedBesideDigits(char32_t c, CharacterSet set) {
    if (set == CharacterSet::Operand)
        return c == U'-';
    if (set == CharacterSet::Hexadecimal)
        return (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
    return false;
}

// The counts by code point: a character beyond the Basic Multilingual Plane, and a lone
// surrogate, is one character.
void CheckCounts(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    for (CharacterSet set : Sets) {
        const bool countsPoints = set == CharacterSet::Operand || set == CharacterSet::Exponent;
        std::int64_t bad = 0;
        std::int64_t points = 0;
        for (const uint c : characters) {
            if ((c >= U'0' && c <= U'9') || AllowedBesideDigits(c, set))
                continue;
            if (c == U'.' && countsPoints)
                ++points;
            else
                ++bad;
        }
        const NumberTextCount count = CheckNumberText(text, set);
        Expect(count.BadCount == bad, "CheckNumberText bad characters", text);
        Expect(count.PointCount == points, "CheckNumberText points", text);

        bool passes = bad == 0;
        if (set == CharacterSet::Operand)
            passes = passes && points <= 1;
        if (set == CharacterSet::Exponent)
            passes = passes && points == 0;
        Expect(PassesCheck(count, set) == passes, "PassesCheck on the counts", text);
        Expect(PassesCheck(text, set) == passes, "PassesCheck on the text", text);
    }
}

void CheckFormat(double value, const QString& input) {
    ExpectSame(FormatResult(value).toStdString(), ReferenceFormat(value),
               "FormatResult against the exact value", input);
}

// A text that passed the operand check: an optional leading "-" and a non-empty rest without
// "-" is a number; anything else is the conversion error naming the text.
void CheckParse(const QString& text) {
    const bool negative = text.startsWith(u'-');
    const QString unsignedPart = negative ? text.mid(1) : text;
    const bool wellFormed = !unsignedPart.isEmpty() && !unsignedPart.contains(u'-');
    const std::string plain = unsignedPart.toStdString();
    double value = 0.0;
    try {
        value = ParseOperand(text);
    } catch (const EConvertError& error) {
        Expect(!wellFormed, "ParseOperand refused a well-formed operand", text);
        ExpectSame(error.what(),
                   ("'" + text + "' is not a valid floating point value").toStdString(),
                   "ParseOperand message", text);
        return;
    } catch (const EOverflow& error) {
        Expect(wellFormed, "ParseOperand overflow on a malformed operand", text);
        const ExactDecimal overflowFrom =
            Midpoint(std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity());
        Expect(Compare(ParsePlain(plain), overflowFrom) >= 0,
               "ParseOperand overflow below the halfway point past the largest double", text);
        ExpectSame(error.what(), std::string("Floating point overflow"), "overflow message", text);
        return;
    }
    Expect(wellFormed, "ParseOperand accepted a malformed operand", text);
    Expect(std::signbit(value) == negative, "ParseOperand sign", text);
    Expect(IsCorrectlyRounded(plain, std::fabs(value)), "ParseOperand is not the nearest double",
           text);
    CheckFormat(value, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = Utf8Input(data, size);
    CheckCounts(text);
    CheckCounts(Utf16Input(data, size));
    if (PassesCheck(text, CharacterSet::Operand))
        CheckParse(text);

    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            CheckFormat(value, text);
    }
    return 0;
}
