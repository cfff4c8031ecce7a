#include "waveform/wave_limits.h"

#include "app/conversions.h"
#include "app/form1.h"

#include <QLineEdit>

WaveLimits WaveLimitsFromTexts(const QString& lowText, const QString& highText) {
    if (!IsDigitText(lowText))
        return {};
    const std::int32_t low = DigitsToInt32(lowText);
    if (!IsDigitText(highText))
        return {};
    const std::int32_t high = DigitsToInt32(highText);
    return {low, high, high};
}

WaveLimits ReadWaveLimits(const TForm1& form) {
    return WaveLimitsFromTexts(form.Edit1->text(), form.Edit2->text());
}
