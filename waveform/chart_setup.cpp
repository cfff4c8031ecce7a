#include "waveform/chart_setup.h"

#include "app/build_profile.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <array>

QColor SeriesColour(int index) {
    static constexpr std::array<QRgb, 8> Colours = {0xFF0000, 0x008000, 0x00FF00, 0x0000FF,
                                                    0x000000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
    return QColor::fromRgb(Colours.at(static_cast<std::size_t>(index)));
}

WaveChart SetUpWaveChart(QChartView& view, const BuildProfile& profile) {
    QChart* chart = view.chart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    // The back wall: a white frame over an unfilled plot area.
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(Qt::NoBrush);
    chart->setPlotAreaBackgroundPen(QPen(Qt::white));
    chart->legend()->setAlignment(Qt::AlignRight);
    view.setRenderHint(QPainter::Antialiasing, false);

    WaveChart parts{{}, new QValueAxis, new QValueAxis};
    parts.indexAxis->setLabelFormat(QStringLiteral("%d"));
    parts.valueAxis->setLabelFormat(QStringLiteral("%d"));
    SetWholeNumberRange(parts.indexAxis, 0, 1);
    SetWholeNumberRange(parts.valueAxis, 0, 1);
    chart->addAxis(parts.valueAxis, Qt::AlignLeft);
    chart->addAxis(parts.indexAxis, Qt::AlignBottom);

    for (int k = 0; k < profile.seriesCount; ++k) {
        auto* series = new QLineSeries;
        series->setName(QStringLiteral("Series%1").arg(k + 1));
        QPen pen(SeriesColour(k));
        pen.setWidth(profile.seriesLineWidth);
        series->setPen(pen);
        series->setPointsVisible(false);
        series->setPointLabelsVisible(false);
        chart->addSeries(series);
        series->attachAxis(parts.indexAxis);
        series->attachAxis(parts.valueAxis);
        parts.series.push_back(series);
    }
    return parts;
}

void SetWholeNumberRange(QValueAxis* axis, double low, double high) {
    constexpr double MaxSteps = 6;
    double step = 1;
    for (double decade = 1; (high - low) / step > MaxSteps; decade *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            step = factor * decade;
            if ((high - low) / step <= MaxSteps)
                break;
        }
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setRange(low, high);
}
