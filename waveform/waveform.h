#pragma once

#include "waveform/plot_block.h"
#include "waveform/wave_limits.h"

#include <cstdint>
#include <span>

class TForm1;
class WaveDisplay;

// The waveform display of a window, set up for the window's build on first use.
WaveDisplay& WaveDisplayOf(TForm1& form);

// The wave mode: ComboBox6's selected index, -1 when none is selected.
int ReadWaveMode(const TForm1& form);

// Draws a block of 0 to 2048 bytes on the window's chart in the wave mode (see PlotBlock on a
// model). allowDealing asks for channel dealing: in mode 2, on a window with channel buttons,
// the block is then dealt by the buttons' N and S; otherwise the flag changes nothing. The
// plot can be read from WaveDisplayOf(form).Model() at once; the chart shows it with the next
// screen frame.
void PlotBlock(TForm1& form, int waveMode, const WaveLimits& range,
               std::span<const std::uint8_t> bytes, bool allowDealing);

// Sets up the chart and connects the wave buttons and, where the build has them, the channel
// buttons.
void ConnectWaveform(TForm1& form);
