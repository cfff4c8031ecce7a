#include "serial/port_names.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstPortNames : public QObject {
    Q_OBJECT

private slots:
    void resolve_data();
    void resolve();
    void listsSerialDevicesInComOrder();
    void neverListsTheConsole();
};

void TstPortNames::resolve_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("device");

    QTest::newRow("COM1") << "COM1" << "/dev/ttyS4";
    QTest::newRow("COM3") << "COM3" << "/dev/ttyACM0";
    QTest::newRow("lower case") << "com2" << "/dev/ttyUSB0";
    QTest::newRow("beyond the devices") << "COM4" << "";
    QTest::newRow("COM0") << "COM0" << "";
    QTest::newRow("leading zero") << "COM01" << "";
    QTest::newRow("trailing text") << "COM1x" << "";
    QTest::newRow("no number") << "COM" << "";
    QTest::newRow("huge number") << "COM99999999" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("device path as it is") << "/dev/pts/7" << "/dev/pts/7";
    QTest::newRow("relative name") << "ttyUSB0" << "";
}

void TstPortNames::resolve() {
    QFETCH(QString, name);
    QFETCH(QString, device);
    const std::vector<std::string> devices = {"/dev/ttyS4", "/dev/ttyUSB0", "/dev/ttyACM0"};
    QCOMPARE(QString::fromStdString(ResolvePortName(name.toStdString(), devices)), device);
}

void TstPortNames::listsSerialDevicesInComOrder() {
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkdir("sys") && dir.mkdir("dev"));
    const QString sys = root.filePath("sys"), dev = root.filePath("dev");

    // name -> (type attribute or "" for none, console attribute, device node present)
    struct Tty {
        const char* name;
        const char* type;
        const char* console;
        bool node;
    };
    const Tty ttys[] = {
        {"ttyS0", "4", "Y", true},      // the machine's console
        {"ttyS1", "0", "N", true},      // phantom 8250 port
        {"ttyS10", "4", "N", true},     // real UART, sorted by number
        {"ttyS2", "4", "N", true},      // real UART
        {"ttyUSB10", "", "N", true},    // USB adapters
        {"ttyUSB2", "", "N", true},     //
        {"ttyUSB3", "", "N", false},    // unplugged: no device node
        {"ttyACM0", "", "N", true},     // modem-class USB
        {"ttyAMA0", "", "N", true},     // ARM UART
        {"rfcomm1", "", "N", true},     // Bluetooth
        {"tty1", "", "N", true},        // virtual console: not a serial port
        {"ttyUSBx", "", "N", true},     // not a numbered port
    };
    for (const Tty& tty : ttys) {
        QVERIFY(dir.mkpath(QString("sys/%1").arg(tty.name)));
        if (*tty.type) {
            QFile type(QString("%1/%2/type").arg(sys, tty.name));
            QVERIFY(type.open(QIODevice::WriteOnly));
            type.write(QByteArray(tty.type) + "\n");
        }
        QFile console(QString("%1/%2/console").arg(sys, tty.name));
        QVERIFY(console.open(QIODevice::WriteOnly));
        console.write(QByteArray(tty.console) + "\n");
        // A link to a character device counts as the device node.
        if (tty.node)
            QVERIFY(QFile::link("/dev/null", QString("%1/%2").arg(dev, tty.name)));
    }

    const std::vector<std::string> devices =
        ListSerialDevices(sys.toStdString(), dev.toStdString());
    QStringList names;
    for (const std::string& device : devices)
        names << QString::fromStdString(device).section('/', -1);
    QCOMPARE(names, (QStringList{"ttyS2", "ttyS10", "ttyAMA0", "ttyUSB2", "ttyUSB10", "ttyACM0",
                                 "rfcomm1"}));
    QCOMPARE(QString::fromStdString(devices.front()), dev + "/ttyS2");

    const std::vector<PortMapping> map = PortMap(devices);
    QCOMPARE(map.size(), devices.size());
    QCOMPARE(QString::fromStdString(map[2].comName), QString("COM3"));
    QCOMPARE(map[2].devicePath, devices[2]);
}

// On this machine and in CI a serial console may exist; it must never become a COM port.
void TstPortNames::neverListsTheConsole() {
    for (const PortMapping& mapping : CurrentPortMap()) {
        const QString name = QString::fromStdString(mapping.devicePath).section('/', -1);
        QFile console(QString("/sys/class/tty/%1/console").arg(name));
        if (console.open(QIODevice::ReadOnly))
            QVERIFY2(!console.readAll().startsWith('Y'), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TstPortNames)
#include "tst_port_names.moc"
