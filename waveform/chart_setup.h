#pragma once

#include <QColor>

#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
struct BuildProfile;

// The parts of the chart the waveform display drives.
struct WaveChart {
    std::vector<QLineSeries*> series;  // Series1..SeriesN of the build
    QValueAxis* valueAxis;             // left
    QValueAxis* indexAxis;             // bottom: the point index
};

// Series1..Series8 in order: red, green, lime, blue, black, aqua, fuchsia, yellow.
QColor SeriesColour(int index);

// Turns the window's chart into the waveform chart of the build: a white back wall, the value
// axis on the left and the index axis below, one line series per channel of the build with its
// colour and line width, no point markers or value marks, no antialiasing or animation. The
// chart keeps its title. Every series stays shown for the whole run.
WaveChart SetUpWaveChart(QChartView& view, const BuildProfile& profile);

// Shows [low, high] on an axis with whole-number labels: ticks at multiples of 1, 2 or 5 times a
// power of ten, at most about six of them, so that no two labels read the same.
void SetWholeNumberRange(QValueAxis* axis, double low, double high);
