#include "port/port_settings.h"

#include <QtTest>

Q_DECLARE_METATYPE(TParity)

class TestPortSettings : public QObject {
    Q_OBJECT
private slots:
    // The parity list runs None, Even, Odd, Mark, Space; the component's order differs.
    void parityByName_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("check");
        QTest::addColumn<TParity>("parity");
        QTest::newRow("none") << 0 << false << TParity::None;
        QTest::newRow("even") << 1 << true << TParity::Even;
        QTest::newRow("odd") << 2 << true << TParity::Odd;
        QTest::newRow("mark") << 3 << true << TParity::Mark;
        QTest::newRow("space") << 4 << true << TParity::Space;
    }
    void parityByName() {
        QFETCH(int, index);
        QFETCH(bool, check);
        QFETCH(TParity, parity);
        const auto choice = ParityForIndex(index);
        QVERIFY(choice);
        QCOMPARE(choice->parityCheck, check);
        QCOMPARE(choice->parity, parity);
    }

    void otherMappings() {
        QCOMPARE(CommNameForIndex(0), QStringLiteral("COM1"));
        QCOMPARE(CommNameForIndex(47), QStringLiteral("COM48"));
        QVERIFY(!ParityForIndex(-1));
        QVERIFY(!ByteSizeForIndex(0) && !ByteSizeForIndex(5) && !ByteSizeForIndex(-1));
        QCOMPARE(*ByteSizeForIndex(1), TByteSize::_5);
        QCOMPARE(*ByteSizeForIndex(4), TByteSize::_8);
        QCOMPARE(RefusedDataBitsNotice(0), QStringLiteral("该串口不支持4位数据！"));
        QCOMPARE(RefusedDataBitsNotice(5), QStringLiteral("该串口不支持9位数据！"));
        QVERIFY(RefusedDataBitsNotice(3).isEmpty());
        QCOMPARE(*StopBitsForIndex(1), TStopBits::_1_5);
        QVERIFY(!StopBitsForIndex(-1));
    }

    void typedBaudRate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("digits") << "4800" << true;
        QTest::newRow("too big still digits") << "3000000000" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "48 00" << false;
        QTest::newRow("minus") << "-4800" << false;
        QTest::newRow("letter") << "48a0" << false;
    }
    void typedBaudRate() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidTypedBaudRate(text), valid);
    }
};

QTEST_MAIN(TestPortSettings)
#include "tst_port_settings.moc"
