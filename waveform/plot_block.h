#pragma once

#include "waveform/wave_limits.h"

#include <cstdint>
#include <optional>
#include <span>

class PlotModel;

// The wave mode is ComboBox6's selected index; -1 when no entry is selected.
enum WaveMode : int {
    NoWaveSelected = -1,
    SingleByteAutomatic = 0,
    SingleByteUserRange = 1,
    SingleByteFixed255 = 2,    // the mode that may deal a block over the series
    DoubleByteAutomatic = 3,
    DoubleByteUserRange = 4,
    DoubleByteFixed65535 = 5,
    DoubleByteFixed3000 = 6,
    NoWaveDisplay = 7,
};

// How a block is dealt over the series: groupLength bytes to one series, then the next, over
// channelCount series, round and round. Both 1 to 8.
struct ChannelDealing {
    int groupLength = 1;
    int channelCount = 1;
};

// Draws one block of 0 to 2048 bytes in the wave mode. Modes -1 and 7 (and any index outside the
// list) change nothing. Otherwise the value axis is set first (automatic, the user range for
// modes 1 and 4, or the mode's fixed range), then Series1 is cleared and gets one value per byte
// (modes 0 to 2) or per big-endian byte pair (modes 3 to 6; a last odd byte is not plotted).
// In mode 2 with dealing given, every series is cleared instead and the bytes are dealt over the
// first channelCount of them (no more than the model has). Never fails.
void PlotBlock(PlotModel& model, int waveMode, const WaveLimits& range,
               std::span<const std::uint8_t> bytes, std::optional<ChannelDealing> dealing);
