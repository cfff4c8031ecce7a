#include "waveform/wave_display.h"

#include "app/form1.h"

#include <QChartView>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// Screens that report no refresh rate are taken to run at 60 Hz.
int FrameIntervalMs(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    return rate >= 1.0 ? std::max(1, static_cast<int>(std::lround(1000.0 / rate))) : 16;
}

} // namespace

WaveDisplay::WaveDisplay(TForm1& form)
    : QObject(form.Chart1), m_form(form),
      m_refresher(SetUpWaveChart(*form.Chart1, form.Profile())),
      m_model(form.Profile().seriesCount) {
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &WaveDisplay::Refresh);
}

void WaveDisplay::Plot(int waveMode, const WaveLimits& range, std::span<const std::uint8_t> bytes,
                       std::optional<ChannelDealing> dealing) {
    const std::uint64_t before = m_model.Revision();
    PlotBlock(m_model, waveMode, range, bytes, dealing);
    if (m_model.Revision() != before)
        ScheduleRefresh();
}

void WaveDisplay::ScheduleRefresh() {
    if (m_frameTimer.isActive())
        return;
    // The first change after a quiet spell shows at once; later ones wait for the next frame.
    // A refresh whose replace() calls are slow (many long series, a loaded machine) is followed
    // by a repaint of about half its cost again; waiting four times the refresh keeps the two
    // under half the main thread. The chart then shows fewer frames, but blocks and the user's
    // input are not held up.
    const qint64 interval = std::max<qint64>(FrameIntervalMs(*m_form.Chart1), 4 * m_lastRefreshMs);
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : interval;
    m_frameTimer.start(static_cast<int>(std::max<qint64>(0, interval - since)));
}

void WaveDisplay::Refresh() {
    m_frameTimer.stop();
    m_sinceRefresh.start();
    if (m_refresher.Show(m_model))
        ++m_refreshCount;
    m_lastRefreshMs = m_sinceRefresh.elapsed();
}
