#include "waveform/plot_block.h"

#include "waveform/plot_model.h"

#include <algorithm>

namespace {

void SetValueAxis(PlotModel& model, int waveMode, const WaveLimits& range) {
    switch (waveMode) {
    case SingleByteAutomatic:
    case DoubleByteAutomatic:
        model.SetAutomatic();
        break;
    case SingleByteUserRange:
        model.SetFixedRange(range.low, range.singleByteHigh);
        break;
    case DoubleByteUserRange:
        model.SetFixedRange(range.low, range.doubleByteHigh);
        break;
    case SingleByteFixed255:
        model.SetFixedRange(0, 255);
        break;
    case DoubleByteFixed65535:
        model.SetFixedRange(0, 65535);
        break;
    case DoubleByteFixed3000:
        model.SetFixedRange(0, 3000);
        break;
    default:
        break;
    }
}

void Deal(PlotModel& model, std::span<const std::uint8_t> bytes, ChannelDealing dealing) {
    // Captions outside the cycle must not stall or overrun the dealing.
    const int group = std::clamp(dealing.groupLength, 1, PlotModel::MaxSeries);
    const int channels = std::clamp(dealing.channelCount, 1, model.SeriesCount());
    for (int k = 0; k < model.SeriesCount(); ++k)
        model.Clear(k);
    int series = 0;
    int inGroup = 0;
    for (std::uint8_t byte : bytes) {
        model.Append(series, byte);
        if (++inGroup == group) {
            inGroup = 0;
            if (++series == channels)
                series = 0;
        }
    }
}

} // namespace

void PlotBlock(PlotModel& model, int waveMode, const WaveLimits& range,
               std::span<const std::uint8_t> bytes, std::optional<ChannelDealing> dealing) {
    if (waveMode < SingleByteAutomatic || waveMode >= NoWaveDisplay)
        return;
    SetValueAxis(model, waveMode, range);

    if (waveMode == SingleByteFixed255 && dealing) {
        Deal(model, bytes, *dealing);
        return;
    }
    model.Clear(0);
    if (waveMode <= SingleByteFixed255) {
        for (std::uint8_t byte : bytes)
            model.Append(0, byte);
    } else {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            model.Append(0, bytes[i] * 256 + bytes[i + 1]);
    }
}
