#include "port/port_settings.h"

#include "app/conversions.h"

QString CommNameForIndex(int index) {
    return QStringLiteral("COM%1").arg(index + 1);
}

std::optional<TByteSize> ByteSizeForIndex(int index) {
    switch (index) {
    case 1:
        return TByteSize::_5;
    case 2:
        return TByteSize::_6;
    case 3:
        return TByteSize::_7;
    case 4:
        return TByteSize::_8;
    default:
        return std::nullopt;
    }
}

QString RefusedDataBitsNotice(int index) {
    if (index == 0)
        return QStringLiteral("该串口不支持4位数据！");
    if (index == 5)
        return QStringLiteral("该串口不支持9位数据！");
    return {};
}

std::optional<ParityChoice> ParityForIndex(int index) {
    switch (index) {
    case 0:
        return ParityChoice{false, TParity::None};
    case 1:
        return ParityChoice{true, TParity::Even};
    case 2:
        return ParityChoice{true, TParity::Odd};
    case 3:
        return ParityChoice{true, TParity::Mark};
    case 4:
        return ParityChoice{true, TParity::Space};
    default:
        return std::nullopt;
    }
}

std::optional<TStopBits> StopBitsForIndex(int index) {
    switch (index) {
    case 0:
        return TStopBits::_1;
    case 1:
        return TStopBits::_1_5;
    case 2:
        return TStopBits::_2;
    default:
        return std::nullopt;
    }
}

bool IsValidTypedBaudRate(const QString& text) {
    return IsDigitText(text);
}
