#include "calculator/calculator_commands.h"

#include "app/conversions.h"
#include "calculator/base_conversion.h"
#include "calculator/number_text.h"

namespace {

CommandOutcome Notice(const char* body) {
    return {QString::fromUtf8(body), {}};
}

} // namespace

CommandOutcome Arithmetic(Operation operation, const QString& first, const QString& second) {
    if (first.isEmpty())
        return Notice(NoticeFirstMissing);
    if (second.isEmpty())
        return Notice(NoticeSecondMissing);
    if (!PassesCheck(first, CharacterSet::Operand) || !PassesCheck(second, CharacterSet::Operand))
        return Notice(NoticeBadFormat);
    const double a = ParseOperand(first);
    const double b = ParseOperand(second);
    if (operation == Operation::Divide && b == 0.0)
        return Notice(NoticeZeroDivisor);
    return {{}, FormatResult(Compute(operation, a, b))};
}

CommandOutcome Power(const QString& base, const QString& exponent,
                     const std::function<void()>& whileBusy) {
    if (base.isEmpty())
        return Notice(NoticeFirstMissing);
    if (exponent.isEmpty())
        return Notice(NoticeSecondMissing);
    // Only the one-character text "0" is refused here; "00", "0.0" and "-0" go on.
    if (base == QLatin1String("0") || exponent == QLatin1String("0"))
        return Notice(NoticeZeroOperand);
    if (!PassesCheck(base, CharacterSet::Operand) || !PassesCheck(exponent, CharacterSet::Exponent))
        return Notice(NoticeBadFormat);
    const double x = ParseOperand(base);
    const std::int32_t n = DigitsToInt32(exponent);
    return {{}, FormatResult(PowerProduct(x, n, whileBusy))};
}

SumOutcome Sum(const QString& operand, double total) {
    if (operand.isEmpty())
        return {QString::fromUtf8(NoticeFirstMissing), false, total, {}};
    if (!PassesCheck(operand, CharacterSet::Operand))
        return {QString::fromUtf8(NoticeBadFormat), true, total, {}};
    const double sum = AddToTotal(total, ParseOperand(operand));
    return {{}, true, sum, FormatResult(sum)};
}

ConversionOutcome ConvertBase(const QString& text, const QString& caption) {
    if (text.isEmpty())
        return {caption, QString::fromUtf8(NoticeConvertMissing), {}};
    if (caption == QLatin1String(CaptionHexToDecimal)) {
        // The caption turns before the text is examined, so a refused text turns it as well.
        const QString turned = QString::fromLatin1(CaptionDecimalToHex);
        if (!PassesCheck(text, CharacterSet::Hexadecimal))
            return {turned, QString::fromUtf8(NoticeBadFormat), {}};
        return {turned, {}, HexadecimalToDecimal(text)};
    }
    if (!PassesCheck(text, CharacterSet::Decimal))
        return {caption, QString::fromUtf8(NoticeBadFormat), {}};
    const DecimalToHexadecimalResult hexadecimal = DecimalToHexadecimal(text);
    return {QString::fromLatin1(CaptionHexToDecimal),
            hexadecimal.overRange ? QString::fromUtf8(NoticeOverRange) : QString(),
            hexadecimal.text};
}
