#include "waveform/plot_model.h"

#include <algorithm>
#include <stdexcept>

PlotModel::PlotModel(int seriesCount) {
    if (seriesCount < 1 || seriesCount > MaxSeries)
        throw std::invalid_argument("PlotModel: series count out of range");
    m_series.resize(static_cast<std::size_t>(seriesCount));
    // A plot never holds more than a block's 2048 bytes, so the storage is allocated once.
    for (Series& s : m_series)
        s.values.reserve(2048);
}

void PlotModel::Clear(int series) {
    Series& s = m_series.at(series);
    s.values.clear();
    s.revision = ++m_revision;
}

void PlotModel::SetAutomatic() {
    m_axis = ValueAxis{};
    m_axisRevision = ++m_revision;
}

void PlotModel::SetFixedRange(std::int32_t a, std::int32_t b) {
    m_axis = ValueAxis{false, std::min(a, b), std::max(a, b)};
    m_axisRevision = ++m_revision;
}
