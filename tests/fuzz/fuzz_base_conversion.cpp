// The base conversion of the result box, both directions, through ConvertBase as the button runs
// it: the check of the text, HexadecimalToDecimal or DecimalToHexadecimal, the notices and the
// caption's turn. The expected values come from the standard library's own conversions.

#include "calculator/calculator_commands.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

bool IsHexText(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

bool IsDecimalText(const QString& text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Modulo 2^64 only the last 16 digits count: 16^16 is 2^64.
std::string ExpectedDecimal(const std::string& hexadecimal) {
    const std::string last =
        hexadecimal.substr(hexadecimal.size() > 16 ? hexadecimal.size() - 16 : 0);
    return std::to_string(static_cast<std::int64_t>(std::stoull(last, nullptr, 16)));
}

struct ExpectedHexadecimal {
    std::string text;
    bool overRange;
};

ExpectedHexadecimal ExpectHexadecimal(std::string decimal) {
    decimal.erase(0, std::min(decimal.find_first_not_of('0'), decimal.size()));
    if (decimal.size() > 10 || (decimal.size() == 10 && decimal > "2147483647"))
        return {"FF", true};
    char text[16];
    std::snprintf(text, sizeof text, "%llX", decimal.empty() ? 0ULL : std::stoull(decimal));
    return {text, false};
}

void CheckHexadecimalToDecimal(const QString& text) {
    const QString caption = QString::fromLatin1(CaptionHexToDecimal);
    const ConversionOutcome outcome = ConvertBase(text, caption);
    if (text.isEmpty()) {
        ExpectSame(outcome.caption, caption, "caption kept when the text is missing", text);
        ExpectSame(outcome.notice, QString::fromUtf8(NoticeConvertMissing), "missing notice", text);
        Expect(outcome.result.isNull(), "no result when the text is missing", text);
        return;
    }
    ExpectSame(outcome.caption, QString::fromLatin1(CaptionDecimalToHex),
               "caption turns on every hexadecimal conversion", text);
    if (!IsHexText(text)) {
        ExpectSame(outcome.notice, QString::fromUtf8(NoticeBadFormat), "bad format notice", text);
        Expect(outcome.result.isNull(), "no result for a refused text", text);
        return;
    }
    Expect(outcome.notice.isEmpty(), "no notice for a hexadecimal text", text);
    ExpectSame(outcome.result.toStdString(), ExpectedDecimal(text.toStdString()),
               "HexadecimalToDecimal", text);
}

void CheckDecimalToHexadecimal(const QString& text) {
    const QString caption = QString::fromLatin1(CaptionDecimalToHex);
    const ConversionOutcome outcome = ConvertBase(text, caption);
    if (text.isEmpty()) {
        ExpectSame(outcome.caption, caption, "caption kept when the text is missing", text);
        ExpectSame(outcome.notice, QString::fromUtf8(NoticeConvertMissing), "missing notice", text);
        Expect(outcome.result.isNull(), "no result when the text is missing", text);
        return;
    }
    if (!IsDecimalText(text)) {
        ExpectSame(outcome.caption, caption, "caption kept for a refused text", text);
        ExpectSame(outcome.notice, QString::fromUtf8(NoticeBadFormat), "bad format notice", text);
        Expect(outcome.result.isNull(), "no result for a refused text", text);
        return;
    }
    const ExpectedHexadecimal expected = ExpectHexadecimal(text.toStdString());
    ExpectSame(outcome.caption, QString::fromLatin1(CaptionHexToDecimal),
               "caption turns after a decimal conversion", text);
    ExpectSame(outcome.notice, expected.overRange ? QString::fromUtf8(NoticeOverRange) : QString(),
               "over-range notice", text);
    ExpectSame(outcome.result.toStdString(), expected.text, "DecimalToHexadecimal", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = Utf8Input(data, size);
    CheckHexadecimalToDecimal(text);
    CheckDecimalToHexadecimal(text);
    return 0;
}
