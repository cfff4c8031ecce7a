#include "exchange/exchange_handlers.h"

#include "app/ansi_text.h"
#include "app/display_base.h"
#include "app/form1.h"
#include "exchange/block_text.h"
#include "waveform/waveform.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

void Comm1ReceiveData(TForm1& form, const std::uint8_t* buffer, std::uint16_t bufferLength) {
    const int waveMode = ReadWaveMode(form);
    // A range that does not convert drops the block before anything changes.
    const WaveLimits range = ReadWaveLimits(form);

    auto& area = form.State.ByteArea;
    const std::size_t length = std::min<std::size_t>(bufferLength, area.size());
    std::copy_n(buffer, length, area.begin());
    PlotBlock(form, waveMode, range, std::span(area.data(), length), form.Profile().dealsChannels);

    if (IsCharacterForm(form.Button6->text())) {
        form.Edit3->setText(QStringLiteral("Receive Data By COM-10"));
        form.Edit5->setText(DecodeAnsi(area.data(), length));
    } else {
        form.Edit3->setText(QStringLiteral("Receive Data By COM-16"));
        form.Edit5->setText(HexForm(area.data(), length));
    }
    std::fill_n(area.begin(), length, 0);
}
