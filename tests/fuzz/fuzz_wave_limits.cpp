// The user range of the wave axis from the texts of the low and high boxes. The input is the low
// text, a line feed, then the high text (no line feed: an empty high text).

#include "app/conversions.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/integer_reference.h"
#include "waveform/wave_limits.h"

#include <optional>

namespace {

// The limits, or the text whose conversion must fail.
struct Expected {
    WaveLimits limits;
    std::optional<QString> failingText;
};

Expected ExpectedLimits(const QString& low, const QString& high) {
    if (!IsDigitsOnly(low))
        return {WaveLimits{}, {}};
    const std::optional<std::int32_t> lowValue = Int32OfDigits(low);
    if (!lowValue)
        return {WaveLimits{}, low};
    if (!IsDigitsOnly(high))
        return {WaveLimits{}, {}};
    const std::optional<std::int32_t> highValue = Int32OfDigits(high);
    if (!highValue)
        return {WaveLimits{}, high};
    return {WaveLimits{*lowValue, *highValue, *highValue}, {}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = Utf8Input(data, size);
    const qsizetype split = input.indexOf(u'\n');
    const QString low = split < 0 ? input : input.left(split);
    const QString high = split < 0 ? QString() : input.mid(split + 1);
    const Expected expected = ExpectedLimits(low, high);
    try {
        const WaveLimits limits = WaveLimitsFromTexts(low, high);
        Expect(!expected.failingText, "WaveLimitsFromTexts converted a text above 2147483647",
               input);
        Expect(limits == expected.limits, "WaveLimitsFromTexts limits", input);
    } catch (const EConvertError& error) {
        Expect(expected.failingText.has_value(), "WaveLimitsFromTexts refused a usable text",
               input);
        ExpectSame(error.what(), InvalidIntegerText(*expected.failingText),
                   "WaveLimitsFromTexts message", input);
    }
    return 0;
}
