#include "waveform/waveform.h"

#include "app/form1.h"
#include "app/selector.h"
#include "waveform/channel_buttons.h"
#include "waveform/wave_buttons.h"
#include "waveform/wave_display.h"

#include <QChartView>
#include <QPushButton>

#include <optional>

WaveDisplay& WaveDisplayOf(TForm1& form) {
    auto* display = form.Chart1->findChild<WaveDisplay*>(QString(), Qt::FindDirectChildrenOnly);
    return display ? *display : *new WaveDisplay(form);
}

int ReadWaveMode(const TForm1& form) { return form.ComboBox6->currentIndex(); }

void PlotBlock(TForm1& form, int waveMode, const WaveLimits& range,
               std::span<const std::uint8_t> bytes, bool allowDealing) {
    std::optional<ChannelDealing> dealing;
    if (allowDealing && waveMode == SingleByteFixed255 &&
        form.ChartButton(ChartButtonRole::GroupLength) &&
        form.ChartButton(ChartButtonRole::ChannelCount))
        dealing = ReadChannelDealing(form);
    WaveDisplayOf(form).Plot(waveMode, range, bytes, dealing);
}

void ConnectWaveform(TForm1& form) {
    WaveDisplayOf(form);
    const auto connect = [&form](ChartButtonRole role, void (*handler)(TForm1&)) {
        if (QPushButton* button = form.ChartButton(role))
            ConnectClick(button, [&form, handler] { handler(form); });
    };
    connect(ChartButtonRole::SendWave, SendWaveClick);
    connect(ChartButtonRole::ReceiveWave, ReceiveWaveClick);
    connect(ChartButtonRole::GroupLength, GroupLengthClick);
    connect(ChartButtonRole::ChannelCount, ChannelCountClick);
}
