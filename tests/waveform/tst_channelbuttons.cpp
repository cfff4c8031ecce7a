#include "tests/support/beep_counter.h"
#include "app/form1.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "waveform/channel_buttons.h"
#include "waveform/plot_model.h"
#include "waveform/wave_display.h"
#include "waveform/waveform.h"

#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(ChartButtonRole)

namespace {

QList<int> Series(TForm1& form, int k) {
    const std::vector<std::int32_t>& values = WaveDisplayOf(form).Model().Values(k);
    return QList<int>(values.begin(), values.end());
}

} // namespace

class TestChannelButtons : public QObject {
    Q_OBJECT
private slots:
    void nextCaption_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QString>("next");
        QTest::newRow("N1") << "N1" << QChar(u'N') << "N2";
        QTest::newRow("N7") << "N7" << QChar(u'N') << "N8";
        QTest::newRow("N8 wraps") << "N8" << QChar(u'N') << "N1";
        QTest::newRow("S8 wraps") << "S8" << QChar(u'S') << "S1";
        QTest::newRow("other letter") << "S3" << QChar(u'N') << "S3";
        QTest::newRow("N9") << "N9" << QChar(u'N') << "N9";
        QTest::newRow("N0") << "N0" << QChar(u'N') << "N0";
        QTest::newRow("longer") << "N12" << QChar(u'N') << "N12";
        QTest::newRow("empty") << "" << QChar(u'N') << "";
    }
    void nextCaption() {
        QFETCH(QString, caption);
        QFETCH(QChar, letter);
        QFETCH(QString, next);
        QCOMPARE(NextChannelCaption(caption, letter), next);
    }

    // Each button steps through its eight captions and comes back to the first, without a beep.
    void clicksCycle_data() {
        QTest::addColumn<ChartButtonRole>("role");
        QTest::addColumn<QString>("letter");
        QTest::newRow("N") << ChartButtonRole::GroupLength << "N";
        QTest::newRow("S") << ChartButtonRole::ChannelCount << "S";
    }
    void clicksCycle() {
        QFETCH(ChartButtonRole, role);
        QFETCH(QString, letter);
        const BeepCounter beeps;
        Program program(MultiChannelBuild());
        QPushButton* button = program.Form1.ChartButton(role);
        QCOMPARE(button->text(), letter + u'1');
        for (int n = 2; n <= 9; ++n) {
            button->click();
            QCOMPARE(button->text(), letter + QString::number(n == 9 ? 1 : n));
        }
        QCOMPARE(beeps.Count(), 0);
    }

    // A received block in mode 2 is dealt by the numbers the captions show at that moment.
    void dealingFollowsTheCaptions() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        form.cxButton1->click();
        form.cxButton2->click();
        form.cxButton2->click();
        QCOMPARE(form.cxButton1->text(), QStringLiteral("N2"));
        QCOMPARE(form.cxButton2->text(), QStringLiteral("S3"));
        std::uint8_t block[12];
        for (int i = 0; i < 12; ++i)
            block[i] = static_cast<std::uint8_t>(i + 1);

        PlotBlock(form, SingleByteFixed255, {}, block, true);
        QCOMPARE(Series(form, 0), (QList<int>{1, 2, 7, 8}));
        QCOMPARE(Series(form, 1), (QList<int>{3, 4, 9, 10}));
        QCOMPARE(Series(form, 2), (QList<int>{5, 6, 11, 12}));
        QCOMPARE(Series(form, 3), QList<int>{});

        // S3 -> S1: the next dealt block puts every byte on Series1 and clears Series2 and 3.
        for (int i = 0; i < 6; ++i)
            form.cxButton2->click();
        QCOMPARE(form.cxButton2->text(), QStringLiteral("S1"));
        PlotBlock(form, SingleByteFixed255, {}, std::span(block, 5), true);
        QCOMPARE(Series(form, 0), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(Series(form, 1), QList<int>{});
        QCOMPARE(Series(form, 2), QList<int>{});
    }

    // The single-channel build has no channel buttons: dealing asked for there plots on Series1.
    void singleChannelBuildNeverDeals() {
        Program program(SingleChannelBuild());
        TForm1& form = program.Form1;
        QVERIFY(!form.ChartButton(ChartButtonRole::GroupLength));
        const std::uint8_t block[] = {10, 20, 30, 40, 50};
        PlotBlock(form, SingleByteFixed255, {}, block, true);
        QCOMPARE(Series(form, 0), (QList<int>{10, 20, 30, 40, 50}));
        QCOMPARE(WaveDisplayOf(form).Model().Axis(), (PlotModel::ValueAxis{false, 0, 255}));
    }
};

QTEST_MAIN(TestChannelButtons)
#include "tst_channelbuttons.moc"
