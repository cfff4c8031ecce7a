// A baud rate typed into the selector: the validity test, and the conversion that Open COM and a
// selector change apply to a valid text.

#include "app/conversions.h"
#include "port/port_settings.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/integer_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = Utf8Input(data, size);
    const bool valid = IsDigitsOnly(text);
    Expect(IsValidTypedBaudRate(text) == valid, "IsValidTypedBaudRate", text);
    if (!valid)
        return 0;
    const std::optional<std::int32_t> expected = Int32OfDigits(text);
    try {
        const std::int32_t rate = DigitsToInt32(text);
        Expect(expected.has_value(), "DigitsToInt32 converted a rate above 2147483647", text);
        Expect(rate == *expected, "DigitsToInt32 value", text);
    } catch (const EConvertError& error) {
        Expect(!expected.has_value(), "DigitsToInt32 refused a rate in range", text);
        ExpectSame(error.what(), InvalidIntegerText(text), "DigitsToInt32 message", text);
    }
    return 0;
}
