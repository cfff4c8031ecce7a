#include "waveform/wave_buttons.h"

#include "app/ansi_text.h"
#include "app/form1.h"
#include "app/hex_pairs.h"
#include "waveform/waveform.h"

#include <QLineEdit>

#include <algorithm>
#include <span>

namespace {

void PlotAreaText(TForm1& form, const QLineEdit& area, const char* emptyNotice) {
    const int mode = ReadWaveMode(form);
    const WaveLimits range = ReadWaveLimits(form);
    const QString text = area.text();
    if (text.isEmpty()) {
        form.ShowNotice(QString::fromUtf8(emptyNotice), QStringLiteral("错误！"));
        return;
    }
    auto& bytes = form.State.ByteArea;
    const std::vector<std::uint8_t> pairs = ReadHexPairs(EncodeAnsi(text), bytes.size());
    std::ranges::copy(pairs, bytes.begin());
    PlotBlock(form, mode, range, std::span(bytes.data(), pairs.size()), false);
    bytes.fill(0);
}

} // namespace

void SendWaveClick(TForm1& form) {
    PlotAreaText(form, *form.Edit4, "没有任何发送数据，无法显示波形！");
}

void ReceiveWaveClick(TForm1& form) {
    PlotAreaText(form, *form.Edit5, "没有任何接收数据，无法显示波形！");
}
