#pragma once

#include <cstdint>
#include <vector>

// What the chart shows, kept apart from the chart itself: the values of each series, in the
// order they were appended (a value's X is its position), and the setting of the value axis.
// Every change bumps a revision, so a view can tell which series changed since it last looked.
// Starts with every series empty and the value axis automatic. Main thread only.
class PlotModel {
public:
    static constexpr int MaxSeries = 8;

    struct ValueAxis {
        bool automatic = true;
        std::int32_t low = 0;   // the fixed range when not automatic, low <= high
        std::int32_t high = 0;
        bool operator==(const ValueAxis&) const = default;
    };

    // seriesCount: 1 to MaxSeries; index 0 is Series1.
    explicit PlotModel(int seriesCount);

    int SeriesCount() const { return static_cast<int>(m_series.size()); }
    const std::vector<std::int32_t>& Values(int series) const { return m_series.at(series).values; }
    const ValueAxis& Axis() const { return m_axis; }

    void Clear(int series);
    void Append(int series, std::int32_t value) {
        Series& s = m_series[static_cast<std::size_t>(series)];
        s.values.push_back(value);
        s.revision = ++m_revision;
    }
    void SetAutomatic();
    // Takes effect whatever the axis had before; the limits may come in either order.
    void SetFixedRange(std::int32_t a, std::int32_t b);

    // Bumped by every change; a series or the axis carries the revision of its last change.
    std::uint64_t Revision() const { return m_revision; }
    std::uint64_t SeriesRevision(int series) const { return m_series.at(series).revision; }
    std::uint64_t AxisRevision() const { return m_axisRevision; }

private:
    struct Series {
        std::vector<std::int32_t> values;
        std::uint64_t revision = 0;
    };

    std::vector<Series> m_series;
    ValueAxis m_axis;
    std::uint64_t m_axisRevision = 0;
    std::uint64_t m_revision = 0;
};
