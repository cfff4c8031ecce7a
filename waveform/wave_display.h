#pragma once

#include "waveform/chart_refresher.h"
#include "waveform/plot_block.h"
#include "waveform/plot_model.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <span>

class TForm1;

// The live waveform of one window: the plot model and the chart that shows it.
//
// Plotting changes the model only, which is cheap and can be read back at once. The chart
// follows on its own, at most once per screen frame (less often when refreshes turn slow): a
// refresh fills each series that changed with one replace() and sets both axes, and the view
// repaints after it. Blocks that arrive between two frames are never drawn separately; the frame
// shows the model as the newest block left it, whole. Driving the chart point by point, or
// repainting per block, would cost hundreds of milliseconds per block at the speeds a serial
// line reaches.
//
// Created on the window's chart view, which owns it. Main thread only.
class WaveDisplay : public QObject {
    Q_OBJECT
public:
    explicit WaveDisplay(TForm1& form);

    const PlotModel& Model() const { return m_model; }
    const WaveChart& Chart() const { return m_refresher.Chart(); }

    // PlotBlock on the model; the chart shows the result with the next frame.
    void Plot(int waveMode, const WaveLimits& range, std::span<const std::uint8_t> bytes,
              std::optional<ChannelDealing> dealing);

    // Brings the chart up to the model now, whether or not a frame is due.
    void Refresh();
    bool RefreshPending() const { return m_frameTimer.isActive(); }
    // Refreshes that changed the chart so far.
    std::uint64_t RefreshCount() const { return m_refreshCount; }

private:
    void ScheduleRefresh();

    TForm1& m_form;
    ChartRefresher m_refresher;
    PlotModel m_model;
    QTimer m_frameTimer;
    QElapsedTimer m_sinceRefresh;  // started when the last refresh began
    qint64 m_lastRefreshMs = 0;    // how long it took
    std::uint64_t m_refreshCount = 0;
};
