#pragma once

#include "waveform/chart_setup.h"

#include <cstdint>
#include <vector>

class PlotModel;

// Copies a plot model onto the chart: each series that changed since the last call gets the
// model's values in one replace(), and both axes are set (the value axis to the fixed range, or
// to the lowest and highest value of all series when automatic; the index axis to the longest
// series). Follows one model for its whole life. Main thread only.
class ChartRefresher {
public:
    explicit ChartRefresher(WaveChart chart);

    const WaveChart& Chart() const { return m_chart; }

    // Brings the chart up to the model; false when the model had not changed.
    bool Show(const PlotModel& model);

private:
    void ShowValueAxis(const PlotModel& model);
    void ShowIndexAxis(const PlotModel& model);

    WaveChart m_chart;
    std::vector<std::uint64_t> m_shownSeries;  // model revision each series last showed
    std::uint64_t m_shownRevision = 0;
};
