#include "app/error_report.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "exchange/exchange_handlers.h"
#include "tests/support/beep_counter.h"
#include "tests/support/pty_pair.h"
#include "waveform/plot_model.h"
#include "waveform/wave_display.h"
#include "waveform/waveform.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
enum class Build { Multi, Single };
}
Q_DECLARE_METATYPE(Build)

// Send Data, the receive display and the area sums on the real window, with a pseudo-terminal
// as COM1: the test plays the far end of the line.
class TestSendReceive : public QObject {
    Q_OBJECT
private slots:
    void init() { Start(Build::Multi); }
    void cleanup() {
        delete OpenErrorReport();
        m_program.reset();
        m_pty.reset();
    }

    void sendRefusedWhilePortClosed() {
        Form().Button11->click();
        Form().Edit3->setText(QStringLiteral("kept"));
        Form().Button12->click();
        QCOMPARE(m_program->Form2.Label1->text(), QStringLiteral("串口还没打开！"));
        QCOMPARE(m_program->Form2.windowTitle(), QStringLiteral("错误！"));
        QCOMPARE(Form().Edit3->text(), QStringLiteral("kept"));
    }

    // What the far end receives for the Send Data Area in each display base.
    void send_data() {
        QTest::addColumn<bool>("characters");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("hex pairs") << false << "0a1B" << QByteArray("\x0A\x1B");
        QTest::newRow("hex odd last ignored") << false << "abc" << QByteArray("\xAB");
        QTest::newRow("hex empty") << false << "" << QByteArray();
        QTest::newRow("characters") << true << "12" << QByteArray("12");
        QTest::newRow("chinese in utf-8") << true << "数" << QByteArray("\xE6\x95\xB0");
        QTest::newRow("long characters")
            << true << QString(5000, u'x').replace(4999, 1, u'y') << QByteArray(4999, 'x') + 'y';
        QTest::newRow("long hex") << false << QString("00FF").repeated(2500)
                                  << QByteArray("\x00\xFF", 2).repeated(2500);
    }
    void send() {
        QFETCH(bool, characters);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        if (!characters)
            Form().Button6->click(); // COM-10 -> COM-16
        Form().Edit4->setText(text);
        Form().Button12->click();
        QCOMPARE(Form().Edit3->text(), characters ? QStringLiteral("Send Data By COM-10")
                                                  : QStringLiteral("Send Data By COM-16"));
        QCOMPARE(m_pty->Receive(bytes.size(), 5000), bytes);
        QCOMPARE(m_pty->Receive(1, 100), QByteArray()); // and nothing more
        QVERIFY(std::ranges::all_of(Form().State.SendArea, [](auto b) { return b == 0; }));
    }

    void sendBadCharacterSendsNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << "01 02"
                               << "' ' is not a valid integer value.";
        QTest::newRow("chinese") << "01数2"
                                 << "'数' is not a valid integer value.";
        QTest::newRow("late in a long text") << QString(6000, u'0') + "0x"
                                             << "'x' is not a valid integer value.";
    }
    void sendBadCharacterSendsNothing() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        Form().Button6->click();
        Form().Edit4->setText(text);
        Form().Button12->click();
        QVERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(), message);
        QCOMPARE(Form().Edit3->text(), QStringLiteral("Send Data By COM-16"));
        QCOMPARE(m_pty->Receive(1, 300), QByteArray());
    }

    void receiveShowsEachBlockInTheDisplayBase() {
        m_pty->Send("ABC");
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("ABC"));
        QCOMPARE(Form().Edit3->text(), QStringLiteral("Receive Data By COM-10"));

        Form().Button6->click(); // COM-16
        m_pty->Send(QByteArray("\x00\x7F", 2));
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("007F"));
        QCOMPARE(Form().Edit3->text(), QStringLiteral("Receive Data By COM-16"));

        Form().Button6->click(); // COM-10: a 0 byte does not cut the text
        m_pty->Send(QByteArray("A\0B", 3));
        QTRY_COMPARE(Form().Edit5->text(), QString::fromUtf16(u"A\0B", 3));
        QVERIFY(std::ranges::all_of(Form().State.ByteArea, [](auto b) { return b == 0; }));
    }

    void blocksReplaceEachOther() {
        Form().Button6->click();
        m_pty->Send(QByteArray("\x01\x02"));
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("0102"));
        m_pty->Send(QByteArray("\x03"));
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("03"));
    }

    void aFullBlockShowsAs4096Digits() {
        Form().Button6->click();
        m_pty->Send(CountingBytes(2048));
        QTRY_COMPARE(Form().Edit5->text().size(), 4096);
        QVERIFY(Form().Edit5->text().startsWith(QStringLiteral("000102")));
    }

    // A range that does not convert drops every block and keeps the old text.
    void badRangeDropsTheBlock() {
        m_pty->Send("old");
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("old"));
        Form().Edit1->setText(QStringLiteral("99999999999"));
        m_pty->Send("new");
        QTRY_VERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(),
                 QStringLiteral("'99999999999' is not a valid integer value."));
        QCOMPARE(Form().Edit5->text(), QStringLiteral("old"));

        Form().Edit1->setText(QStringLiteral("1.5")); // not digits: the range falls back
        m_pty->Send("new");
        QTRY_COMPARE(Form().Edit5->text(), QStringLiteral("new"));
    }

    // Wave mode 2 deals a received block over the series in the multi-channel build and plots
    // it whole on Series1 in the single-channel build.
    void receivedBlockInWaveMode2_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QList<int>>("series1");
        QTest::addColumn<QList<int>>("series2");
        QTest::newRow("tessavane8") << Build::Multi << QList<int>{10, 30, 50} << QList<int>{20, 40};
        QTest::newRow("tessavane1")
            << Build::Single << QList<int>{10, 20, 30, 40, 50} << QList<int>{};
    }
    void receivedBlockInWaveMode2() {
        QFETCH(Build, build);
        QFETCH(QList<int>, series1);
        QFETCH(QList<int>, series2);
        Start(build);
        Form().ComboBox6->setCurrentIndex(2);
        if (Form().cxButton2 && Form().cxButton2->text() == QStringLiteral("S1"))
            Form().cxButton2->click(); // S2
        m_pty->Send(QByteArray("\x0A\x14\x1E\x28\x32"));
        const PlotModel& model = WaveDisplayOf(Form()).Model();
        QTRY_COMPARE(Values(model, 0), series1);
        if (model.SeriesCount() > 1)
            QCOMPARE(Values(model, 1), series2);
        QCOMPARE(model.Axis().automatic, false);
        QCOMPARE(model.Axis().high, 255);
    }

    void sums() {
        Form().Edit4->setText(QStringLiteral("0102FF"));
        Form().Edit5->setText(QStringLiteral("abc"));
        Form().Button13->click();
        QCOMPARE(Form().Edit1->text(), QStringLiteral("DEC=258"));
        QCOMPARE(Form().Edit2->text(), QStringLiteral("HEX=102"));
        QCOMPARE(Form().Edit3->text(), QStringLiteral("Send Data Area Sum"));
        QCOMPARE(Form().Button13->text(), QStringLiteral("Receive_Sum"));
        QVERIFY(Form().Timer1->isActive());
        QCOMPARE(Form().Timer1->interval(), 3000);

        Form().Button13->click();
        QCOMPARE(Form().Edit1->text(), QStringLiteral("DEC=171"));
        QCOMPARE(Form().Edit2->text(), QStringLiteral("HEX=AB"));
        QCOMPARE(Form().Edit3->text(), QStringLiteral("Receive Data Area Sum"));
        QCOMPARE(Form().Button13->text(), QStringLiteral("Send_Sum"));

        Form().Edit4->setText(QStringLiteral("0G"));
        Form().Button13->click();
        QCOMPARE(OpenErrorReport()->text(), QStringLiteral("'G' is not a valid integer value."));
        QCOMPARE(Form().Button13->text(), QStringLiteral("Send_Sum"));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("DEC=171"));
    }

    // The tick 3000 ms after the first click strips the labels, stops the timer and beeps;
    // a second click within the countdown does not restart it.
    void timerStripsLabels() {
        const BeepCounter beeps;
        Form().Button13->click();
        QTest::qWait(1000);
        Form().Button13->click();
        Form().Edit2->setText(QStringLiteral("edited"));
        QElapsedTimer elapsed;
        elapsed.start();
        QTRY_VERIFY_WITH_TIMEOUT(!Form().Timer1->isActive(), 4000);
        QVERIFY(elapsed.elapsed() < 2500);
        QCOMPARE(Form().Edit1->text(), QStringLiteral("0"));
        QCOMPARE(Form().Edit2->text(), QStringLiteral("edited"));
        QCOMPARE(beeps.Count(), 3);
    }

    void firstTickAfterStart() {
        m_program.reset();
        Program fresh(SingleChannelBuild());
        const BeepCounter beeps;
        QCOMPARE(fresh.Form1.Timer1->interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!fresh.Form1.Timer1->isActive(), 2000);
        QCOMPARE(beeps.Count(), 1);
    }

private:
    // A fresh window of the build with its port open on a new pseudo-terminal.
    void Start(Build build) {
        m_program.reset();
        m_pty = std::make_unique<PtyPair>();
        QVERIFY(m_pty->IsValid());
        m_program = std::make_unique<Program>(build == Build::Multi ? MultiChannelBuild()
                                                                    : SingleChannelBuild());
        Form().Comm1.SetCommName(m_pty->SlavePath());
        const std::string path = m_pty->SlavePath();
        Form().Comm1.SetDeviceLister([path] { return std::vector<std::string>{path}; });
        Form().Button10->click();
        QVERIFY(Form().Comm1.IsOpen());
        m_program->Form2.hide();
    }
    TForm1& Form() { return m_program->Form1; }
    static QList<int> Values(const PlotModel& model, int series) {
        const auto& values = model.Values(series);
        return QList<int>(values.begin(), values.end());
    }

    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<Program> m_program;
};

QTEST_MAIN(TestSendReceive)
#include "tst_send_receive.moc"
