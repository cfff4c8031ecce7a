#pragma once

#include <QString>

#include <cstdint>

class TForm1;

// The user range of the value axis: the low limit and the high limits of the single-byte and
// double-byte modes. The fallback when the edit boxes hold no usable range is (0, 255, 65535).
struct WaveLimits {
    std::int32_t low = 0;
    std::int32_t singleByteHigh = 255;
    std::int32_t doubleByteHigh = 65535;
    bool operator==(const WaveLimits&) const = default;
};

// The range from the texts of the low and high boxes. Each text counts only when it is digits
// alone; when either does not, the fallback is returned whole. A digit text above 2147483647
// throws EConvertError naming that whole text (the low text is converted before the high text
// is looked at).
WaveLimits WaveLimitsFromTexts(const QString& lowText, const QString& highText);

// The range typed into Edit1 (low) and Edit2 (high), read fresh for every plot.
WaveLimits ReadWaveLimits(const TForm1& form);
