#include "serial/line_settings.h"
#include "serial/receive_filter.h"
#include "serial/serial_device.h"

#include <QtTest>

#include <sys/ioctl.h>

using namespace serial_detail;

Q_DECLARE_METATYPE(TByteSize)
Q_DECLARE_METATYPE(TParity)
Q_DECLARE_METATYPE(TStopBits)
Q_DECLARE_METATYPE(TDtrControl)
Q_DECLARE_METATYPE(TRtsControl)

class TstLineSettings : public QObject {
    Q_OBJECT

private slots:
    void rawModeFromCookedTerminal();
    void dataBits_data();
    void dataBits();
    void parity_data();
    void parity();
    void stopBits_data();
    void stopBits();
    void flowControl_data();
    void flowControl();
    void modemLines_data();
    void modemLines();
    void receiveFilter_data();
    void receiveFilter();
    void lineEventBits();
};

namespace {

// What a terminal looks like before anyone made it raw.
termios Cooked() {
    termios tio{};
    tio.c_iflag = ICRNL | IXON | IXANY | IMAXBEL | ISTRIP | INLCR | IGNCR | BRKINT | IGNPAR;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_cflag = CS7 | PARENB | CSTOPB | HUPCL | CRTSCTS;
    tio.c_lflag = ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN | ECHOCTL | ECHOKE;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 5;
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    return tio;
}

} // namespace

void TstLineSettings::rawModeFromCookedTerminal() {
    const termios tio = MapLineSettings(Cooked(), LineSettings{});
    QCOMPARE(tio.c_lflag & (ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(tio.c_oflag & (OPOST | ONLCR), tcflag_t(0));
    QCOMPARE(tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXANY | BRKINT | IGNPAR),
             tcflag_t(0));
    QCOMPARE(tio.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    // The defaults: 8 data bits, no parity, one stop bit, no flow control.
    QCOMPARE(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
    QCOMPARE(int(tio.c_cc[VMIN]), 1);
    QCOMPARE(int(tio.c_cc[VTIME]), 0);
    QCOMPARE(int(tio.c_cc[VSTART]), 17);
    QCOMPARE(int(tio.c_cc[VSTOP]), 19);
    // The speed is set on its own, exactly; the mapping leaves it.
    QCOMPARE(cfgetospeed(&tio), speed_t(B115200));
}

void TstLineSettings::dataBits_data() {
    QTest::addColumn<TByteSize>("byteSize");
    QTest::addColumn<uint>("csize");
    QTest::newRow("5") << TByteSize::_5 << uint(CS5);
    QTest::newRow("6") << TByteSize::_6 << uint(CS6);
    QTest::newRow("7") << TByteSize::_7 << uint(CS7);
    QTest::newRow("8") << TByteSize::_8 << uint(CS8);
}

void TstLineSettings::dataBits() {
    QFETCH(TByteSize, byteSize);
    QFETCH(uint, csize);
    LineSettings settings;
    settings.byteSize = byteSize;
    QCOMPARE(uint(MapLineSettings(Cooked(), settings).c_cflag & CSIZE), csize);
}

void TstLineSettings::parity_data() {
    QTest::addColumn<TParity>("parity");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<uint>("cflags");
    QTest::addColumn<uint>("iflags");

    QTest::newRow("none") << TParity::None << false << false << 0u << 0u;
    QTest::newRow("odd") << TParity::Odd << false << false << uint(PARENB | PARODD) << 0u;
    QTest::newRow("even") << TParity::Even << false << false << uint(PARENB) << 0u;
    QTest::newRow("mark") << TParity::Mark << false << false << uint(PARENB | CMSPAR | PARODD)
                          << 0u;
    QTest::newRow("space") << TParity::Space << false << false << uint(PARENB | CMSPAR) << 0u;
    QTest::newRow("even, checked") << TParity::Even << true << false << uint(PARENB)
                                   << uint(INPCK);
    QTest::newRow("even, checked, bad bytes replaced")
        << TParity::Even << true << true << uint(PARENB) << uint(INPCK | PARMRK);
    QTest::newRow("replacing without checking marks nothing")
        << TParity::Odd << false << true << uint(PARENB | PARODD) << 0u;
}

void TstLineSettings::parity() {
    QFETCH(TParity, parity);
    QFETCH(bool, check);
    QFETCH(bool, replace);
    QFETCH(uint, cflags);
    QFETCH(uint, iflags);
    LineSettings settings;
    settings.parity = parity;
    settings.parityCheck = check;
    settings.replaceWhenParityError = replace;
    const termios tio = MapLineSettings(Cooked(), settings);
    QCOMPARE(uint(tio.c_cflag & (PARENB | PARODD | CMSPAR)), cflags);
    QCOMPARE(uint(tio.c_iflag & (INPCK | PARMRK | IGNPAR)), iflags);
}

void TstLineSettings::stopBits_data() {
    QTest::addColumn<TStopBits>("stopBits");
    QTest::addColumn<bool>("cstopb");
    QTest::newRow("1") << TStopBits::_1 << false;
    QTest::newRow("1.5") << TStopBits::_1_5 << true;
    QTest::newRow("2") << TStopBits::_2 << true;
}

void TstLineSettings::stopBits() {
    QFETCH(TStopBits, stopBits);
    QFETCH(bool, cstopb);
    LineSettings settings;
    settings.stopBits = stopBits;
    QCOMPARE((MapLineSettings(Cooked(), settings).c_cflag & CSTOPB) != 0, cstopb);
}

void TstLineSettings::flowControl_data() {
    QTest::addColumn<bool>("ctsFlow");
    QTest::addColumn<TRtsControl>("rts");
    QTest::addColumn<bool>("outX");
    QTest::addColumn<bool>("inX");
    QTest::addColumn<bool>("crtscts");
    QTest::addColumn<uint>("iflags");

    QTest::newRow("none") << false << TRtsControl::RtsEnable << false << false << false << 0u;
    QTest::newRow("CTS out-flow") << true << TRtsControl::RtsEnable << false << false << true
                                  << 0u;
    QTest::newRow("RTS handshake") << false << TRtsControl::RtsHandshake << false << false
                                   << true << 0u;
    QTest::newRow("XON/XOFF out") << false << TRtsControl::RtsEnable << true << false << false
                                  << uint(IXON);
    QTest::newRow("XON/XOFF in") << false << TRtsControl::RtsDisable << false << true << false
                                 << uint(IXOFF);
    QTest::newRow("everything") << true << TRtsControl::RtsHandshake << true << true << true
                                << uint(IXON | IXOFF);
}

void TstLineSettings::flowControl() {
    QFETCH(bool, ctsFlow);
    QFETCH(TRtsControl, rts);
    QFETCH(bool, outX);
    QFETCH(bool, inX);
    QFETCH(bool, crtscts);
    QFETCH(uint, iflags);
    LineSettings settings;
    settings.outxCtsFlow = ctsFlow;
    settings.rtsControl = rts;
    settings.outxXonXoffFlow = outX;
    settings.inxXonXoffFlow = inX;
    settings.xonChar = 'Q';
    settings.xoffChar = 'S';
    const termios tio = MapLineSettings(Cooked(), settings);
    QCOMPARE((tio.c_cflag & CRTSCTS) != 0, crtscts);
    QCOMPARE(uint(tio.c_iflag & (IXON | IXOFF | IXANY)), iflags);
    QCOMPARE(tio.c_cc[VSTART], cc_t('Q'));
    QCOMPARE(tio.c_cc[VSTOP], cc_t('S'));
}

void TstLineSettings::modemLines_data() {
    QTest::addColumn<TDtrControl>("dtr");
    QTest::addColumn<TRtsControl>("rts");
    QTest::addColumn<bool>("ctsFlow");
    QTest::addColumn<int>("raise");
    QTest::addColumn<int>("drop");

    QTest::newRow("defaults: both asserted")
        << TDtrControl::DtrEnable << TRtsControl::RtsEnable << false << (TIOCM_DTR | TIOCM_RTS)
        << 0;
    QTest::newRow("both dropped") << TDtrControl::DtrDisable << TRtsControl::RtsDisable << false
                                  << 0 << (TIOCM_DTR | TIOCM_RTS);
    QTest::newRow("DTR handshake keeps DTR up, RTS handshake leaves RTS to the driver")
        << TDtrControl::DtrHandshake << TRtsControl::RtsHandshake << false << int(TIOCM_DTR)
        << 0;
    QTest::newRow("RTS while sending is the driver's")
        << TDtrControl::DtrEnable << TRtsControl::RtsTransmissionAvailable << false
        << int(TIOCM_DTR) << 0;
    QTest::newRow("CTS flow drives RTS too")
        << TDtrControl::DtrDisable << TRtsControl::RtsDisable << true << 0 << int(TIOCM_DTR);
}

void TstLineSettings::modemLines() {
    QFETCH(TDtrControl, dtr);
    QFETCH(TRtsControl, rts);
    QFETCH(bool, ctsFlow);
    QFETCH(int, raise);
    QFETCH(int, drop);
    LineSettings settings;
    settings.dtrControl = dtr;
    settings.rtsControl = rts;
    settings.outxCtsFlow = ctsFlow;
    const ModemLineChange change = MapModemLines(settings);
    QCOMPARE(change.raise, raise);
    QCOMPARE(change.drop, drop);
}

void TstLineSettings::receiveFilter_data() {
    QTest::addColumn<bool>("ignoreNull");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray ff(1, '\xFF');
    const QByteArray mark("\xFF\x00", 2);
    QTest::newRow("nothing to do") << false << false
                                   << QList<QByteArray>{QByteArray("a\0\xFF", 3)}
                                   << QByteArray("a\0\xFF", 3);
    QTest::newRow("zeros dropped") << true << false
                                   << QList<QByteArray>{QByteArray("\0a\0\0b\0", 6)}
                                   << QByteArray("ab");
    QTest::newRow("bad byte replaced") << false << true
                                       << QList<QByteArray>{"a" + mark + "x" + "b"}
                                       << QByteArray("a?b");
    QTest::newRow("escaped 0xFF") << false << true << QList<QByteArray>{"a" + ff + ff + "b"}
                                  << "a" + ff + "b";
    QTest::newRow("break is a 0 byte") << false << true
                                       << QList<QByteArray>{mark + QByteArray(1, '\0') + "z"}
                                       << QByteArray("\0z", 2);
    QTest::newRow("break dropped with zeros") << true << true
                                              << QList<QByteArray>{mark + QByteArray(1, '\0')}
                                              << QByteArray();
    QTest::newRow("mark cut by reads") << false << true
                                       << QList<QByteArray>{"a" + ff, QByteArray(1, '\0'), "x",
                                                            ff, ff}
                                       << "a?" + ff;
}

void TstLineSettings::receiveFilter() {
    QFETCH(bool, ignoreNull);
    QFETCH(bool, marked);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, expected);

    ReceiveOptions options;
    options.ignoreNullChar = ignoreNull;
    options.errorsMarked = marked;
    options.replacedChar = '?';
    QCOMPARE(ReceiveOptions::Unpack(options.Pack()).Pack(), options.Pack());

    ReceiveFilter filter;
    QByteArray out;
    for (QByteArray chunk : chunks) {
        const size_t kept = filter.Apply(options, reinterpret_cast<uint8_t*>(chunk.data()),
                                         size_t(chunk.size()));
        out += chunk.left(qsizetype(kept));
    }
    QCOMPARE(out, expected);
}

void TstLineSettings::lineEventBits() {
    LineCounters before;
    before.rng = 3;
    before.dcd = 7;
    LineCounters after = before;
    QCOMPARE(LineErrorFlags(before, after), 0u);
    QCOMPARE(ModemEventBits(before, after), 0u);
    after.frame = 1;
    after.overrun = 2;
    after.parity = 1;
    after.brk = 1;
    after.bufOverrun = 1;
    QCOMPARE(LineErrorFlags(before, after), 0x1Fu);
    after.rng = 4;
    QCOMPARE(ModemEventBits(before, after), 4u);
    after.dcd = 8;
    QCOMPARE(ModemEventBits(before, after), 12u);
    after.rng = before.rng;
    QCOMPARE(ModemEventBits(before, after), 8u);
}

QTEST_GUILESS_MAIN(TstLineSettings)
#include "tst_line_settings.moc"
