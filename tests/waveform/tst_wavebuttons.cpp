#include "tests/support/beep_counter.h"
#include "app/error_report.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "waveform/plot_model.h"
#include "waveform/wave_display.h"
#include "waveform/waveform.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

namespace {

const char* const SendEmpty = "没有任何发送数据，无法显示波形！";
const char* const ReceiveEmpty = "没有任何接收数据，无法显示波形！";

BuildProfile Build(int seriesCount) {
    return seriesCount == 8 ? MultiChannelBuild() : SingleChannelBuild();
}

QList<int> Series(TForm1& form, int k) {
    const std::vector<std::int32_t>& values = WaveDisplayOf(form).Model().Values(k);
    return QList<int>(values.begin(), values.end());
}

void SelectWaveMode(TForm1& form, int mode) {
    if (mode >= 0)
        form.ComboBox6->setCurrentIndex(mode);
}

QPushButton* WaveButton(TForm1& form, bool send) {
    return form.ChartButton(send ? ChartButtonRole::SendWave : ChartButtonRole::ReceiveWave);
}

QLineEdit* Area(TForm1& form, bool send) { return send ? form.Edit4 : form.Edit5; }

// A dealt block over all eight series, as a live block leaves the multi-channel chart.
void PlotDealtBlock(TForm1& form) {
    form.cxButton2->setText(QStringLiteral("S8"));
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    PlotBlock(form, SingleByteFixed255, {}, bytes, true);
}

} // namespace

class TestWaveButtons : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        delete OpenErrorReport();
    }

    // Both builds name and place the buttons differently; the click reads the area text in
    // pairs and plots it in the current mode.
    void plotsTheArea_data() {
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<bool>("send");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("series1");
        for (int build : {8, 1}) {
            for (bool send : {true, false}) {
                const QByteArray tag = QByteArray::number(build) + (send ? " send" : " receive");
                QTest::newRow(tag + ", 0A1B single bytes") << build << send << 0 << "0A1B"
                                                           << QList<int>{10, 27};
                QTest::newRow(tag + ", 0a1b pair") << build << send << 3 << "0a1b"
                                                   << QList<int>{2587};
                QTest::newRow(tag + ", 12G, G never read") << build << send << 2 << "12G"
                                                           << QList<int>{18};
                QTest::newRow(tag + ", one character") << build << send << 1 << "7" << QList<int>{};
            }
        }
    }
    void plotsTheArea() {
        QFETCH(int, seriesCount);
        QFETCH(bool, send);
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QList<int>, series1);

        Program program(Build(seriesCount));
        TForm1& form = program.Form1;
        SelectWaveMode(form, mode);
        Area(form, send)->setText(text);
        const int beeps = m_beeps.Count();
        WaveButton(form, send)->click();

        QVERIFY(!OpenErrorReport());
        QCOMPARE(Series(form, 0), series1);
        QCOMPARE(Area(form, send)->text(), text);
        QCOMPARE(m_beeps.Count(), beeps);
        QVERIFY(std::ranges::all_of(form.State.ByteArea, [](std::uint8_t b) { return b == 0; }));
    }

    // 4096 characters are 2048 pairs, plotted whole; of a longer text the first 2048 bytes are
    // plotted and the rest is not read.
    void longTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lastValue");
        QString whole;
        for (int i = 0; i < 2048; ++i)
            whole += QStringLiteral("%1").arg(i % 256, 2, 16, QChar(u'0'));
        QTest::newRow("4096 characters") << whole << 255;
        QTest::newRow("4097 characters") << whole + u'Z' << 255;
        QTest::newRow("longer, not hex beyond") << whole + QStringLiteral("0102 not read") << 255;
    }
    void longTexts() {
        QFETCH(QString, text);
        QFETCH(int, lastValue);
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        SelectWaveMode(form, 0);
        form.Edit5->setText(text);
        form.cxButton4->click();
        QVERIFY(!OpenErrorReport());
        const QList<int> series1 = Series(form, 0);
        QCOMPARE(series1.size(), 2048);
        QCOMPARE(series1.front(), 0);
        QCOMPARE(series1.back(), lastValue);
    }

    // An empty area is refused in every mode, before anything is drawn.
    void emptyArea_data() {
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<bool>("send");
        QTest::addColumn<int>("mode");
        for (int build : {8, 1}) {
            for (bool send : {true, false}) {
                for (int mode = -1; mode <= 7; ++mode) {
                    QTest::addRow("%d %s, mode %d", build, send ? "send" : "receive", mode)
                        << build << send << mode;
                }
            }
        }
    }
    void emptyArea() {
        QFETCH(int, seriesCount);
        QFETCH(bool, send);
        QFETCH(int, mode);
        Program program(Build(seriesCount));
        TForm1& form = program.Form1;
        const std::uint8_t before[] = {9, 8, 7};
        PlotBlock(form, SingleByteAutomatic, {}, before, false);
        const std::uint64_t revision = WaveDisplayOf(form).Model().Revision();
        SelectWaveMode(form, mode);

        WaveButton(form, send)->click();

        QVERIFY(program.Form2.isVisible());
        QCOMPARE(program.Form2.Label1->text(), QString::fromUtf8(send ? SendEmpty : ReceiveEmpty));
        QCOMPARE(program.Form2.windowTitle(), QStringLiteral("错误！"));
        QCOMPARE(WaveDisplayOf(form).Model().Revision(), revision);
    }

    // A bad character ends the click with the error naming it, also in the modes that draw
    // nothing; a bad user range ends it before the area is looked at.
    void conversionErrors_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("edit1");
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("report");
        QTest::newRow("0G in mode 7") << 7 << "" << "0G" << "'G' is not a valid integer value.";
        QTest::newRow("0G in no mode") << -1 << "" << "0G" << "'G' is not a valid integer value.";
        QTest::newRow("blank in mode 0") << 0 << "" << "01 02"
                                         << "' ' is not a valid integer value.";
        QTest::newRow("range before empty area") << 0 << "9999999999" << ""
                                                 << "'9999999999' is not a valid integer value.";
        QTest::newRow("range in mode 7") << 7 << "2147483648" << "0102"
                                         << "'2147483648' is not a valid integer value.";
    }
    void conversionErrors() {
        QFETCH(int, mode);
        QFETCH(QString, edit1);
        QFETCH(QString, area);
        QFETCH(QString, report);
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        const std::uint8_t before[] = {9, 8, 7};
        PlotBlock(form, SingleByteAutomatic, {}, before, false);
        const std::uint64_t revision = WaveDisplayOf(form).Model().Revision();
        SelectWaveMode(form, mode);
        form.Edit1->setText(edit1);
        form.Edit2->setText(QStringLiteral("1"));
        form.Edit4->setText(area);

        form.cxButton3->click();

        QVERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(), report);
        QVERIFY(!program.Form2.isVisible());
        QCOMPARE(WaveDisplayOf(form).Model().Revision(), revision);
    }

    // The wave buttons never deal: in mode 2 they replace Series1 alone, on the fixed 0-255 axis.
    void mode2ReplacesSeries1Only() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        PlotDealtBlock(form);
        SelectWaveMode(form, 2);
        form.Edit1->setText(QStringLiteral("1000"));
        form.Edit2->setText(QStringLiteral("2000"));
        form.Edit4->setText(QStringLiteral("FF00FF"));

        form.cxButton3->click();

        QCOMPARE(Series(form, 0), (QList<int>{255, 0, 255}));
        for (int k = 1; k < 8; ++k)
            QCOMPARE(Series(form, k), (QList<int>{k + 1, k + 9}));
        const PlotModel::ValueAxis& axis = WaveDisplayOf(form).Model().Axis();
        QCOMPARE(axis, (PlotModel::ValueAxis{false, 0, 255}));
    }

    // The user range reaches the plot: mode 4 takes the double-byte high, in either order.
    void userRange() {
        Program program(SingleChannelBuild());
        TForm1& form = program.Form1;
        SelectWaveMode(form, 4);
        form.Edit1->setText(QStringLiteral("3000"));
        form.Edit2->setText(QStringLiteral("1000"));
        form.Edit5->setText(QStringLiteral("0BB8"));
        form.cxButton2->click();
        QCOMPARE(Series(form, 0), QList<int>{3000});
        QCOMPARE(WaveDisplayOf(form).Model().Axis(), (PlotModel::ValueAxis{false, 1000, 3000}));
    }

private:
    BeepCounter m_beeps;
};

QTEST_MAIN(TestWaveButtons)
#include "tst_wavebuttons.moc"
