#include "waveform/chart_refresher.h"

#include "waveform/plot_model.h"

#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// A range the axis can draw: an equal pair would give the axis no height.
void SetDrawableRange(QValueAxis* axis, double low, double high) {
    if (low == high) {
        low -= 1;
        high += 1;
    }
    SetWholeNumberRange(axis, low, high);
}

} // namespace

ChartRefresher::ChartRefresher(WaveChart chart)
    : m_chart(std::move(chart)), m_shownSeries(m_chart.series.size(), 0) {}

bool ChartRefresher::Show(const PlotModel& model) {
    if (model.Revision() == m_shownRevision)
        return false;
    const int seriesCount = std::min(model.SeriesCount(), static_cast<int>(m_chart.series.size()));
    for (int k = 0; k < seriesCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::uint64_t revision = model.SeriesRevision(k);
        if (revision == m_shownSeries[index])
            continue;
        const std::vector<std::int32_t>& values = model.Values(k);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(values.size()));
        for (std::size_t x = 0; x < values.size(); ++x)
            points.append(QPointF(static_cast<double>(x), values[x]));
        m_chart.series[index]->replace(points);
        m_shownSeries[index] = revision;
    }
    ShowValueAxis(model);
    ShowIndexAxis(model);
    m_shownRevision = model.Revision();
    return true;
}

void ChartRefresher::ShowValueAxis(const PlotModel& model) {
    const PlotModel::ValueAxis& axis = model.Axis();
    if (!axis.automatic) {
        SetDrawableRange(m_chart.valueAxis, axis.low, axis.high);
        return;
    }
    std::int32_t low = std::numeric_limits<std::int32_t>::max();
    std::int32_t high = std::numeric_limits<std::int32_t>::min();
    for (int k = 0; k < model.SeriesCount(); ++k) {
        for (std::int32_t value : model.Values(k)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    // With no data there is nothing to follow; the axis stays as it is.
    if (low <= high)
        SetDrawableRange(m_chart.valueAxis, low, high);
}

void ChartRefresher::ShowIndexAxis(const PlotModel& model) {
    std::size_t points = 0;
    for (int k = 0; k < model.SeriesCount(); ++k)
        points = std::max(points, model.Values(k).size());
    SetWholeNumberRange(m_chart.indexAxis, 0, points > 2 ? static_cast<double>(points - 1) : 1.0);
}
