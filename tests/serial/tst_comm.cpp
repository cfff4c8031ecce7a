#include "tests/serial/comm_recorder.h"
#include "tests/support/pty_pair.h"
#include "serial/comm.h"
#include "serial/linux_baud.h"
#include "serial/pumped_notice_channel.h"

#include <QTemporaryDir>
#include <QtTest>

#include <termios.h>

using namespace std::chrono_literals;

class TstComm : public QObject {
    Q_OBJECT

private slots:
    void opensByComNameAndByPath();
    void openErrors_data();
    void openErrors();
    void openTwiceKeepsThePortWorking();
    void secondOpenOfTheSameDeviceFails();
    void defaultSettingsReadBack();
    void baudRateReadBack_data();
    void baudRateReadBack();
    void settersApplyOnlyChanges();
    void commNameChangeWaitsForReopen();
    void destructorClosesTheOpenPort();
};

namespace {

// Bytes sent on the master arrive through the component.
bool DataFlows(TComm& comm, PumpedNoticeChannel& channel, PtyPair& pty, CommRecorder& recorder) {
    Q_UNUSED(comm);
    const qsizetype before = recorder.ReceivedSize();
    pty.Send("ping");
    channel.PumpUntil([&] { return recorder.ReceivedSize() >= before + 4; }, 2000ms);
    return recorder.Received().endsWith("ping");
}

} // namespace

void TstComm::opensByComNameAndByPath() {
    PtyPair first, second;
    QVERIFY(first.IsValid() && second.IsValid());
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetDeviceLister([&] { return std::vector{first.SlavePath(), second.SlavePath()}; });

    comm.SetCommName("COM2");
    comm.OpenPort();
    QVERIFY(comm.IsOpen());
    QCOMPARE(comm.DevicePath(), second.SlavePath());
    QVERIFY(DataFlows(comm, channel, second, recorder));
    comm.ClosePort();
    QVERIFY(!comm.IsOpen());
    QVERIFY(comm.DevicePath().empty());
    comm.ClosePort(); // closed: nothing happens

    comm.SetCommName(first.SlavePath());
    comm.OpenPort();
    QCOMPARE(comm.DevicePath(), first.SlavePath());
    QVERIFY(DataFlows(comm, channel, first, recorder));
    QCOMPARE(recorder.hangups, 0);
}

void TstComm::openErrors_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reasonPart");

    QTest::newRow("missing device") << "/dev/ttyNoSuchPort9" << "Error opening serial port"
                                    << "No such file or directory: /dev/ttyNoSuchPort9";
    QTest::newRow("COM name without a device")
        << "COM3" << "Error opening serial port" << "COM3";
    QTest::newRow("not a COM name") << "ttyUSB0" << "Error opening serial port" << "ttyUSB0";
    QTest::newRow("regular file") << "@file" << "File handle is not a comm handle " << "@file";
    QTest::newRow("directory") << "@dir" << "File handle is not a comm handle " << "@dir";
    QTest::newRow("character device that is no tty")
        << "/dev/null" << "Cannot setup comm buffer" << "/dev/null";
}

void TstComm::openErrors() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, reasonPart);

    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    name.replace("@file", dir.filePath("file")).replace("@dir", dir.path());
    reasonPart.replace("@file", dir.filePath("file")).replace("@dir", dir.path());

    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetDeviceLister([&] { return std::vector{pty.SlavePath()}; });
    comm.SetCommName(name.toStdString());
    try {
        comm.OpenPort();
        QFAIL("OpenPort did not throw");
    } catch (const ECommsError& error) {
        QCOMPARE(QString(error.what()), message);
        QVERIFY2(QString::fromStdString(error.Reason()).contains(reasonPart),
                 error.Reason().c_str());
    }
    QVERIFY(!comm.IsOpen());
    QVERIFY(!comm.WriteBytes(reinterpret_cast<const uint8_t*>("x"), 1));
    comm.ClosePort(); // after a failed open: nothing happens

    // A failed open leaves nothing behind: a valid name opens.
    comm.SetCommName("COM1");
    comm.OpenPort();
    QVERIFY(DataFlows(comm, channel, pty, recorder));
}

void TstComm::openTwiceKeepsThePortWorking() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);
    try {
        comm.OpenPort();
        QFAIL("second OpenPort did not throw");
    } catch (const ECommsError& error) {
        QCOMPARE(QString(error.what()), QString("This serial port already opened"));
    }
    QVERIFY(comm.IsOpen());
    QVERIFY(DataFlows(comm, channel, pty, recorder));
    const uint8_t byte = 'z';
    QVERIFY(comm.WriteBytes(&byte, 1));
    QCOMPARE(pty.Receive(1, 2000), QByteArray("z"));
}

void TstComm::secondOpenOfTheSameDeviceFails() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    PumpedNoticeChannel otherChannel;
    TComm other(otherChannel);
    other.SetCommName(pty.SlavePath());
    try {
        other.OpenPort();
        QFAIL("second open of the device did not throw");
    } catch (const ECommsError& error) {
        QCOMPARE(QString(error.what()), QString("Error opening serial port"));
        QVERIFY2(QString::fromStdString(error.Reason()).contains("busy"), error.Reason().c_str());
    }
    QVERIFY(!other.IsOpen());
    QVERIFY(DataFlows(comm, channel, pty, recorder));

    comm.ClosePort(); // the device is free again
    other.OpenPort();
    QVERIFY(other.IsOpen());
}

void TstComm::defaultSettingsReadBack() {
    PtyPair pty;
    // Start from a cooked terminal, as a fresh pty is.
    termios cooked{};
    QCOMPARE(tcgetattr(pty.Slave(), &cooked), 0);
    QVERIFY(cooked.c_lflag & ICANON);

    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    termios tio{};
    QCOMPARE(tcgetattr(pty.Slave(), &tio), 0);
    QCOMPARE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | INPCK | PARMRK),
             tcflag_t(0));
    QCOMPARE(tio.c_cflag & (CSTOPB | CRTSCTS | PARENB), tcflag_t(0));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QVERIFY(tio.c_cflag & CREAD);
    QCOMPARE(int(tio.c_cc[VSTART]), 17);
    QCOMPARE(int(tio.c_cc[VSTOP]), 19);
    uint32_t baud = 0;
    QVERIFY(serial_detail::GetExactBaudRate(pty.Slave(), baud));
    QCOMPARE(baud, 9600u);

    // Raw: CR, LF and 0x7F pass untouched both ways.
    const QByteArray raw("a\r\nb\x7f\x03\x1a", 7);
    pty.Send(raw);
    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() >= raw.size(); }, 2000ms));
    QCOMPARE(recorder.Received(), raw);
    QVERIFY(comm.WriteBytes(reinterpret_cast<const uint8_t*>(raw.constData()), raw.size()));
    QCOMPARE(pty.Receive(raw.size(), 2000), raw);
}

void TstComm::baudRateReadBack_data() {
    QTest::addColumn<uint>("openRate");
    QTest::addColumn<uint>("laterRate");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<bool>("twoStopBitsOnLine");

    QTest::newRow("75 then 1228800") << 75u << 1228800u << int(TStopBits::_1) << false;
    QTest::newRow("115200 then 19200") << 115200u << 19200u << int(TStopBits::_2) << true;
    QTest::newRow("non-standard 250000 then 31250")
        << 250000u << 31250u << int(TStopBits::_1_5) << true;
    QTest::newRow("typed 12345 then 921600") << 12345u << 921600u << int(TStopBits::_1) << false;
}

void TstComm::baudRateReadBack() {
    QFETCH(uint, openRate);
    QFETCH(uint, laterRate);
    QFETCH(int, stopBits);
    QFETCH(bool, twoStopBitsOnLine);

    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetBaudRate(openRate);
    comm.SetStopBits(static_cast<TStopBits>(stopBits));
    OpenOn(comm, channel, pty, recorder);

    uint32_t baud = 0;
    QVERIFY(serial_detail::GetExactBaudRate(pty.Slave(), baud));
    QCOMPARE(baud, openRate);
    termios tio{};
    QCOMPARE(tcgetattr(pty.Slave(), &tio), 0);
    QCOMPARE((tio.c_cflag & CSTOPB) != 0, twoStopBitsOnLine);

    // A new rate on the open port takes effect at once.
    comm.SetBaudRate(laterRate);
    QVERIFY(serial_detail::GetExactBaudRate(pty.Slave(), baud));
    QCOMPARE(baud, laterRate);

    // A rate the driver cannot take is ignored: the line keeps its rate and the port works.
    comm.SetBaudRate(0);
    QVERIFY(serial_detail::GetExactBaudRate(pty.Slave(), baud));
    QCOMPARE(baud, laterRate);
    QVERIFY(DataFlows(comm, channel, pty, recorder));
}

void TstComm::settersApplyOnlyChanges() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    // Disturb the line behind the component's back; only a real change re-applies.
    auto disturb = [&] {
        termios tio{};
        tcgetattr(pty.Slave(), &tio);
        tio.c_cc[VSTART] = 5;
        tcsetattr(pty.Slave(), TCSANOW, &tio);
    };
    auto xonOnLine = [&] {
        termios tio{};
        tcgetattr(pty.Slave(), &tio);
        return int(tio.c_cc[VSTART]);
    };
    disturb();
    comm.SetXonChar(17);
    comm.SetBaudRate(9600);
    comm.SetReadIntervalTimeout(100);
    QCOMPARE(xonOnLine(), 5);
    comm.SetXonChar(18);
    QCOMPARE(xonOnLine(), 18);
    disturb();
    comm.SetOutx_XonXoffFlow(true);
    QCOMPARE(xonOnLine(), 18);
    termios tio{};
    tcgetattr(pty.Slave(), &tio);
    QVERIFY(tio.c_iflag & IXON);

    // A timeout change is no line change.
    disturb();
    comm.SetReadIntervalTimeout(50);
    QCOMPARE(xonOnLine(), 5);
    // Parity is only stored while open.
    comm.SetParity(TParity::Even);
    QCOMPARE(xonOnLine(), 5);
    QCOMPARE(comm.Parity(), TParity::Even);
}

void TstComm::commNameChangeWaitsForReopen() {
    PtyPair first, second;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, first, recorder);

    comm.SetCommName(second.SlavePath());
    QCOMPARE(comm.DevicePath(), first.SlavePath());
    QVERIFY(DataFlows(comm, channel, first, recorder));
    comm.ClosePort();
    comm.OpenPort();
    QCOMPARE(comm.DevicePath(), second.SlavePath());
    QVERIFY(DataFlows(comm, channel, second, recorder));
}

void TstComm::destructorClosesTheOpenPort() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    {
        TComm comm(channel);
        CommRecorder recorder(comm);
        OpenOn(comm, channel, pty, recorder);
        pty.Send("left in flight");
        QTest::qWait(200);
    }
    // Notices that outlived the component are dropped with their blocks.
    channel.Pump(0ms);

    TComm again(channel);
    CommRecorder recorder(again);
    OpenOn(again, channel, pty, recorder);
    QVERIFY(DataFlows(again, channel, pty, recorder));
}

QTEST_GUILESS_MAIN(TstComm)
#include "tst_comm.moc"
