#include "app/form1.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "waveform/chart_setup.h"
#include "waveform/plot_model.h"
#include "waveform/wave_display.h"
#include "waveform/waveform.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QtTest>

namespace {

// Every series of the chart holds exactly the model's values at X = 0, 1, 2, ...
bool ChartShowsModel(WaveDisplay& display) {
    for (int k = 0; k < display.Model().SeriesCount(); ++k) {
        const QList<QPointF> points = display.Chart().series[static_cast<std::size_t>(k)]->points();
        const std::vector<std::int32_t>& values = display.Model().Values(k);
        if (points.size() != static_cast<qsizetype>(values.size()))
            return false;
        for (qsizetype x = 0; x < points.size(); ++x) {
            if (points[x] != QPointF(static_cast<double>(x), values[static_cast<std::size_t>(x)]))
                return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> Block(int length, int first) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

} // namespace

class TestWaveDisplay : public QObject {
    Q_OBJECT
private slots:
    void chartOfTheBuild_data() {
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<int>("lineWidth");
        QTest::newRow("multi-channel") << 8 << 2;
        QTest::newRow("single-channel") << 1 << 1;
    }
    void chartOfTheBuild() {
        QFETCH(int, seriesCount);
        QFETCH(int, lineWidth);
        Program program(seriesCount == 8 ? MultiChannelBuild() : SingleChannelBuild());
        QChartView& view = *program.Form1.Chart1;
        QChart& chart = *view.chart();

        QCOMPARE(chart.title(), QStringLiteral("串口数据波形显示"));
        QVERIFY(!view.renderHints().testFlag(QPainter::Antialiasing));
        QCOMPARE(chart.animationOptions(), QChart::NoAnimation);
        const QList<QAbstractSeries*> series = chart.series();
        QCOMPARE(series.size(), seriesCount);
        const char* const colours[] = {"#ff0000", "#008000", "#00ff00", "#0000ff",
                                       "#000000", "#00ffff", "#ff00ff", "#ffff00"};
        for (int k = 0; k < seriesCount; ++k) {
            auto* line = qobject_cast<QLineSeries*>(series[k]);
            QVERIFY(line);
            QCOMPARE(line->name(), QStringLiteral("Series%1").arg(k + 1));
            QCOMPARE(line->pen().color().name(), QString::fromLatin1(colours[k]));
            QCOMPARE(line->pen().width(), lineWidth);
            QVERIFY(line->isVisible());
            QVERIFY(!line->pointsVisible());
            QVERIFY(!line->pointLabelsVisible());
            QCOMPARE(line->attachedAxes().size(), 2);
        }
        QCOMPARE(chart.axes(Qt::Vertical).size(), 1);
        QCOMPARE(chart.axes(Qt::Vertical).front()->alignment(), Qt::AlignLeft);
        QCOMPARE(chart.axes(Qt::Horizontal).size(), 1);
        QCOMPARE(chart.axes(Qt::Horizontal).front()->alignment(), Qt::AlignBottom);
    }

    // The chart catches up with the model on its own; a fixed range is shown as it is set,
    // whatever the axis showed before.
    void chartFollowsTheModel() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        WaveDisplay& display = WaveDisplayOf(form);
        program.Form1.cxButton2->setText(QStringLiteral("S4"));
        PlotBlock(form, SingleByteFixed255, {}, Block(100, 0), true);
        QTRY_VERIFY(!display.RefreshPending());
        QVERIFY(ChartShowsModel(display));
        QCOMPARE(display.Chart().valueAxis->min(), 0.0);
        QCOMPARE(display.Chart().valueAxis->max(), 255.0);
        QCOMPARE(display.Chart().indexAxis->max(), 24.0);

        PlotBlock(form, SingleByteUserRange, {1000, 2000, 2000}, Block(3, 0), false);
        QTRY_VERIFY(!display.RefreshPending());
        QVERIFY(ChartShowsModel(display));
        QCOMPARE(display.Chart().valueAxis->min(), 1000.0);
        QCOMPARE(display.Chart().valueAxis->max(), 2000.0);
    }

    // Automatic scaling follows the data of every shown series, the kept ones included.
    void automaticAxisFollowsAllSeries() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        WaveDisplay& display = WaveDisplayOf(form);
        program.Form1.cxButton2->setText(QStringLiteral("S2"));
        PlotBlock(form, SingleByteFixed255, {}, Block(4, 250), true);  // Series2: 251, 253
        PlotBlock(form, DoubleByteAutomatic, {}, Block(4, 0), false);  // Series1: 1, 515
        display.Refresh();
        QCOMPARE(display.Chart().valueAxis->min(), 1.0);
        QCOMPARE(display.Chart().valueAxis->max(), 515.0);
        QVERIFY(ChartShowsModel(display));
    }

    // Equal limits still give the axis a height; the model keeps them as set.
    void equalLimits() {
        Program program(SingleChannelBuild());
        WaveDisplay& display = WaveDisplayOf(program.Form1);
        PlotBlock(program.Form1, SingleByteUserRange, {7, 7, 7}, Block(2, 7), false);
        display.Refresh();
        QCOMPARE(display.Model().Axis(), (PlotModel::ValueAxis{false, 7, 7}));
        QVERIFY(display.Chart().valueAxis->min() < 7.0);
        QVERIFY(display.Chart().valueAxis->max() > 7.0);
    }

    // Blocks that come faster than frames are shown once, as the newest left the model; a plot
    // that changes nothing asks for no refresh.
    void burstsShowTheNewestPlot() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        WaveDisplay& display = WaveDisplayOf(form);
        form.show();
        display.Refresh();
        const std::uint64_t refreshes = display.RefreshCount();
        form.cxButton2->setText(QStringLiteral("S8"));
        for (int i = 0; i < 50; ++i) {
            PlotBlock(form, i % 2 ? SingleByteAutomatic : SingleByteFixed255, {},
                      Block(2048 - i, i), true);
        }
        QTRY_VERIFY(!display.RefreshPending());
        QCOMPARE(display.RefreshCount(), refreshes + 1);
        QVERIFY(ChartShowsModel(display));
        QCOMPARE(display.Model().Values(0).size(), std::size_t(2048 - 49));

        PlotBlock(form, NoWaveDisplay, {}, Block(10, 0), true);
        QVERIFY(!display.RefreshPending());
    }
};

QTEST_MAIN(TestWaveDisplay)
#include "tst_wavedisplay.moc"
