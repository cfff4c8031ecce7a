#include "waveform/wave_display.h"

#include "app/form1.h"

#include <QChartView>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QScreen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Screens that report no refresh rate are taken to run at 60 Hz.
int FrameIntervalMs(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    return rate >= 1.0 ? std::max(1, static_cast<int>(std::lround(1000.0 / rate))) : 16;
}

// A range the axis can draw: an equal pair would give the axis no height.
void SetDrawableRange(QValueAxis* axis, double low, double high) {
    if (low == high) {
        low -= 1;
        high += 1;
    }
    axis->setRange(low, high);
}

} // namespace

WaveDisplay::WaveDisplay(TForm1& form)
    : QObject(form.Chart1), m_form(form), m_chart(SetUpWaveChart(*form.Chart1, form.Profile())),
      m_model(form.Profile().seriesCount), m_shownSeries(m_chart.series.size(), 0) {
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &WaveDisplay::Refresh);
}

void WaveDisplay::Plot(int waveMode, const WaveLimits& range, std::span<const std::uint8_t> bytes,
                       std::optional<ChannelDealing> dealing) {
    PlotBlock(m_model, waveMode, range, bytes, dealing);
    if (m_model.Revision() != m_shownRevision)
        ScheduleRefresh();
}

void WaveDisplay::ScheduleRefresh() {
    if (m_frameTimer.isActive())
        return;
    // The first change after a quiet spell shows at once; later ones wait for the next frame.
    const qint64 interval = FrameIntervalMs(*m_form.Chart1);
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : interval;
    m_frameTimer.start(static_cast<int>(std::max<qint64>(0, interval - since)));
}

void WaveDisplay::Refresh() {
    m_frameTimer.stop();
    m_sinceRefresh.start();
    if (m_model.Revision() == m_shownRevision)
        return;
    ++m_refreshCount;

    QList<QPointF> points;
    for (int k = 0; k < m_model.SeriesCount(); ++k) {
        const std::uint64_t revision = m_model.SeriesRevision(k);
        if (revision == m_shownSeries[static_cast<std::size_t>(k)])
            continue;
        const std::vector<std::int32_t>& values = m_model.Values(k);
        points.clear();
        points.reserve(static_cast<qsizetype>(values.size()));
        for (std::size_t x = 0; x < values.size(); ++x)
            points.append(QPointF(static_cast<double>(x), values[x]));
        m_chart.series[static_cast<std::size_t>(k)]->replace(points);
        m_shownSeries[static_cast<std::size_t>(k)] = revision;
    }
    ShowValueAxis();
    ShowIndexAxis();
    m_shownRevision = m_model.Revision();
}

void WaveDisplay::ShowValueAxis() {
    const PlotModel::ValueAxis& axis = m_model.Axis();
    if (!axis.automatic) {
        SetDrawableRange(m_chart.valueAxis, axis.low, axis.high);
        return;
    }
    std::int32_t low = std::numeric_limits<std::int32_t>::max();
    std::int32_t high = std::numeric_limits<std::int32_t>::min();
    for (int k = 0; k < m_model.SeriesCount(); ++k) {
        for (std::int32_t value : m_model.Values(k)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    // With no data there is nothing to follow; the axis stays as it is.
    if (low <= high)
        SetDrawableRange(m_chart.valueAxis, low, high);
}

void WaveDisplay::ShowIndexAxis() {
    std::size_t points = 0;
    for (int k = 0; k < m_model.SeriesCount(); ++k)
        points = std::max(points, m_model.Values(k).size());
    m_chart.indexAxis->setRange(0, points > 2 ? static_cast<double>(points - 1) : 1.0);
}
