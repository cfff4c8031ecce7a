#include "app/error_report.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "port/port_handlers.h"
#include "serial/linux_baud.h"
#include "tests/support/beep_counter.h"
#include "tests/support/pty_pair.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

// Open COM, Close COM and the selectors on the real window, with a pseudo-terminal as COM1.
class TestOpenClose : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_beeps.Reset();
        m_pty = std::make_unique<PtyPair>();
        QVERIFY(m_pty->IsValid());
        m_program = std::make_unique<Program>(MultiChannelBuild());
        const std::string path = m_pty->SlavePath();
        Form().Comm1.SetDeviceLister([path] { return std::vector<std::string>{path}; });
    }
    void cleanup() {
        delete OpenErrorReport();
        m_program.reset();
        m_pty.reset();
    }

    // Refused choices: the notice only, nothing else changes.
    void refusals_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("caption");
        QTest::newRow("port typed") << "ComboBox1" << -1 << "您还没选择串口！"
                                    << "错误！";
        QTest::newRow("data bits typed") << "ComboBox3" << -1 << "您还没选择数据位！"
                                         << "错误！";
        QTest::newRow("parity typed") << "ComboBox4" << -1 << "您还没选择校验方式！"
                                      << "错误！";
        QTest::newRow("4 data bits") << "ComboBox3" << 0 << "该串口不支持4位数据！"
                                     << "注意！";
        QTest::newRow("9 data bits") << "ComboBox3" << 5 << "该串口不支持9位数据！"
                                     << "注意！";
    }
    void refusals() {
        QFETCH(QString, selector);
        QFETCH(int, index);
        QFETCH(QString, body);
        QFETCH(QString, caption);
        auto* box = Form().findChild<Selector*>(selector);
        if (index == -1)
            box->ShowUnselected(QStringLiteral("COM1"));
        else
            box->setCurrentIndex(index);
        Form().Button10->click();
        QCOMPARE(NoticeBody(), body);
        QCOMPARE(m_program->Form2.windowTitle(), caption);
        QVERIFY(!Form().Comm1.IsOpen());
        QVERIFY(Form().Button10->isEnabled());
        QVERIFY(Form().Button11->isEnabled());
        QCOMPARE(Form().Button6->text(), QStringLiteral("About"));
        QCOMPARE(m_beeps.Count(), 1);
    }

    void openWithListedRateThenClose() {
        Form().ComboBox2->setCurrentIndex(29); // 115200
        Form().Button10->click();
        QVERIFY(Form().Comm1.IsOpen());
        QCOMPARE(NoticeBody(), QStringLiteral("串口打开成功！使用波特率115200！"));
        QCOMPARE(m_program->Form2.windowTitle(), QStringLiteral("成功！"));
        QCOMPARE(Form().State.PortOpened, 1);
        QCOMPARE(Form().Button6->text(), QStringLiteral("COM-10"));
        QVERIFY(!Form().Button10->isEnabled());
        QVERIFY(Form().Button11->isEnabled());
        QCOMPARE(LineSpeed(), 115200u);

        Form().Button11->click();
        QVERIFY(!Form().Comm1.IsOpen());
        QCOMPARE(NoticeBody(), QStringLiteral("串口关闭成功！"));
        QCOMPARE(m_program->Form2.windowTitle(), QStringLiteral("成功！"));
        QCOMPARE(Form().State.PortOpened, 0);
        QCOMPARE(Form().Button6->text(), QStringLiteral("About"));
        QVERIFY(Form().Button10->isEnabled());
        QVERIFY(!Form().Button11->isEnabled());
        QCOMPARE(m_beeps.Count(), 2);
    }

    void closeBeforeOpening() {
        Form().Button11->click();
        QCOMPARE(NoticeBody(), QStringLiteral("串口还没打开，无法关闭！"));
        QCOMPARE(m_program->Form2.windowTitle(), QStringLiteral("错误！"));
        QVERIFY(Form().Button10->isEnabled());
        QVERIFY(!Form().Button11->isEnabled());
    }

    // A typed rate is checked before the port opens and applied right after it.
    void typedBaudRate_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<std::uint32_t>("speed");
        QTest::newRow("digits") << "4800"
                                << "串口打开成功！使用输入波特率4800！"
                                << "注意！"
                                << "4800" << 4800u;
        QTest::newRow("empty") << ""
                               << "非法波特率！波特率将初始化为19200！"
                               << "错误！"
                               << "19200" << 19200u;
        QTest::newRow("blank") << "48 00"
                               << "非法波特率！波特率将初始化为19200！"
                               << "错误！"
                               << "19200" << 19200u;
        QTest::newRow("minus") << "-4800"
                               << "非法波特率！波特率将初始化为19200！"
                               << "错误！"
                               << "19200" << 19200u;
    }
    void typedBaudRate() {
        QFETCH(QString, typed);
        QFETCH(QString, body);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QFETCH(std::uint32_t, speed);
        Form().ComboBox2->ShowUnselected(typed);
        Form().Button10->click();
        QVERIFY(Form().Comm1.IsOpen());
        QCOMPARE(NoticeBody(), body);
        QCOMPARE(m_program->Form2.windowTitle(), caption);
        QCOMPARE(Form().ComboBox2->currentText(), shown);
        QCOMPARE(Form().Comm1.BaudRate(), shown.toUInt());
        QCOMPARE(LineSpeed(), speed);
    }

    // Above 2147483647 the conversion fails after the port opened. Close COM stays enabled so
    // the open port can still be closed.
    void typedRateOverflowLeavesACloseablePort() {
        Form().ComboBox2->ShowUnselected(QStringLiteral("3000000000"));
        Form().Button10->click();
        QVERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(),
                 QStringLiteral("'3000000000' is not a valid integer value."));
        QVERIFY(Form().Comm1.IsOpen());
        QCOMPARE(Form().State.PortOpened, 1);
        QVERIFY(Form().Button10->isEnabled());
        QVERIFY(Form().Button11->isEnabled());
        QCOMPARE(Form().Button6->text(), QStringLiteral("About"));

        Form().Button10->click();
        QCOMPARE(NoticeBody(), QStringLiteral("串口已经是打开的了！"));
        QVERIFY(Form().Button11->isEnabled());

        Form().Button11->click();
        QVERIFY(!Form().Comm1.IsOpen());
        QCOMPARE(NoticeBody(), QStringLiteral("串口关闭成功！"));
    }

    void missingAndBusyDevices_data() {
        QTest::addColumn<bool>("busy");
        QTest::newRow("missing") << false;
        QTest::newRow("busy") << true;
    }
    void missingAndBusyDevices() {
        QFETCH(bool, busy);
        QtNoticeChannel otherChannel;
        TComm other(otherChannel);
        if (busy) {
            other.SetCommName(m_pty->SlavePath());
            other.OpenPort();
        } else {
            Form().Comm1.SetDeviceLister([] { return std::vector<std::string>{}; });
        }
        Form().Button10->click();
        QVERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(), QStringLiteral("Error opening serial port."));
        QVERIFY(!Form().Comm1.IsOpen());
        QCOMPARE(Form().State.PortOpened, 0);
        QVERIFY(Form().Button10->isEnabled());
        QVERIFY(!Form().Button11->isEnabled());
        QCOMPARE(Form().Button6->text(), QStringLiteral("About"));
    }

    // While closed the selectors only hold the choice; no notice, no change on the component.
    void selectorsInertWhileClosed() {
        emit Form().ComboBox3->activated(5);
        emit Form().ComboBox2->activated(29);
        QVERIFY(!m_program->Form2.isVisible());
        QCOMPARE(Form().Comm1.BaudRate(), 9600u);
        QCOMPARE(m_beeps.Count(), 0);
    }

    // While open, a change closes, applies and reopens; buttons and captions stay.
    void selectorChangeReopens() {
        Form().Button10->click();
        QVERIFY(Form().Comm1.IsOpen());
        m_program->Form2.hide();

        Form().ComboBox2->setCurrentIndex(29);
        emit Form().ComboBox2->activated(29);
        QCOMPARE(LineSpeed(), 115200u);
        Form().ComboBox5->setCurrentIndex(2);
        emit Form().ComboBox5->activated(2);
        QCOMPARE(Form().Comm1.StopBits(), TStopBits::_2);
        QVERIFY(LineFlags() & CSTOPB);
        QVERIFY(Form().Comm1.IsOpen());
        QVERIFY(!m_program->Form2.isVisible());
        QCOMPARE(Form().Button6->text(), QStringLiteral("COM-10"));
        QVERIFY(!Form().Button10->isEnabled());

        Form().ComboBox3->setCurrentIndex(5);
        emit Form().ComboBox3->activated(5);
        QCOMPARE(NoticeBody(), QStringLiteral("该串口不支持9位数据！"));
        QCOMPARE(Form().Comm1.ByteSize(), TByteSize::_8);
        QVERIFY(Form().Comm1.IsOpen());
    }

    // Typing a rate over the selection reopens the port once per keystroke.
    void typingARateReopensPerKeystroke() {
        Form().Button10->click();
        QLineEdit* edit = Form().ComboBox2->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("576"));
        QCOMPARE(Form().ComboBox2->currentIndex(), -1);
        QCOMPARE(Form().Comm1.BaudRate(), 576u);
        QVERIFY(Form().Comm1.IsOpen());

        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(NoticeBody(), QStringLiteral("非法波特率！波特率将初始化为19200！"));
        QCOMPARE(Form().ComboBox2->currentText(), QStringLiteral("19200"));
        QCOMPARE(LineSpeed(), 19200u);
    }

    // A reopen that fails leaves the port closed with Open COM disabled; Close COM ends that.
    void failedReopenThenClose() {
        Form().Button10->click();
        Form().Comm1.SetDeviceLister([] { return std::vector<std::string>{}; });
        emit Form().ComboBox1->activated(0);
        QVERIFY(OpenErrorReport());
        QVERIFY(!Form().Comm1.IsOpen());
        QVERIFY(!Form().Button10->isEnabled());
        QVERIFY(Form().Button11->isEnabled());
        Form().Button11->click();
        QCOMPARE(NoticeBody(), QStringLiteral("串口关闭成功！"));
        QVERIFY(Form().Button10->isEnabled());
    }

    void portEntriesNameTheirDevice() {
        ShowPortDevices(Form());
        for (int i = 0; i < Form().ComboBox1->count(); ++i)
            QVERIFY(Form()
                        .ComboBox1->itemData(i, Qt::ToolTipRole)
                        .toString()
                        .startsWith(QStringLiteral("COM%1").arg(i + 1)));
        QCOMPARE(Form().ComboBox1->itemText(0), QStringLiteral("COM1"));
    }

    // Destroying the window with the port open stops the port's threads first.
    void windowClosesWithPortOpen() {
        Form().Button10->click();
        QVERIFY(Form().Comm1.IsOpen());
        m_program.reset();
        m_program = std::make_unique<Program>(MultiChannelBuild());
    }

private:
    TForm1& Form() { return m_program->Form1; }
    QString NoticeBody() const { return m_program->Form2.Label1->text(); }
    std::uint32_t LineSpeed() const {
        std::uint32_t baud = 0;
        serial_detail::GetExactBaudRate(m_pty->Slave(), baud);
        return baud;
    }
    tcflag_t LineFlags() const {
        termios attributes{};
        ::tcgetattr(m_pty->Slave(), &attributes);
        return attributes.c_cflag;
    }

    BeepCounter m_beeps;
    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<Program> m_program;
};

QTEST_MAIN(TestOpenClose)
#include "tst_open_close.moc"
