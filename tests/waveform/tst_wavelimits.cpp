#include "app/conversions.h"
#include "waveform/wave_limits.h"

#include <QtTest>

class TestWaveLimits : public QObject {
    Q_OBJECT
private slots:
    void limits_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QList<int>>("limits");
        const QList<int> fallback{0, 255, 65535};
        QTest::newRow("both digits") << "300" << "100" << QList<int>{300, 100, 100};
        QTest::newRow("equal") << "5" << "5" << QList<int>{5, 5, 5};
        QTest::newRow("leading zeros") << "007" << "0" << QList<int>{7, 0, 0};
        QTest::newRow("largest") << "2147483647" << "1" << QList<int>{2147483647, 1, 1};
        QTest::newRow("both empty") << "" << "" << fallback;
        QTest::newRow("10 and empty drops the 10") << "10" << "" << fallback;
        QTest::newRow("point") << "1.5" << "100" << fallback;
        QTest::newRow("sign") << "-1" << "100" << fallback;
        QTest::newRow("plus sign") << "10" << "+100" << fallback;
        QTest::newRow("blank") << " 10" << "100" << fallback;
        QTest::newRow("hex digits") << "1A" << "100" << fallback;
        QTest::newRow("full-width digits") << "１０" << "100" << fallback;
        // Edit2 is not looked at while Edit1 is unusable, even when it is too large.
        QTest::newRow("bad low hides a huge high") << "x" << "99999999999" << fallback;
    }
    void limits() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QList<int>, limits);
        QCOMPARE(WaveLimitsFromTexts(low, high), (WaveLimits{limits[0], limits[1], limits[2]}));
    }

    // A digit text above 2147483647 is a conversion error naming the whole text.
    void tooLarge_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("message");
        QTest::newRow("low") << "2147483648" << "1" << "'2147483648' is not a valid integer value";
        QTest::newRow("low before a bad high")
            << "99999999999999999999" << "x" << "'99999999999999999999' is not a valid integer value";
        QTest::newRow("high") << "1" << "4294967296" << "'4294967296' is not a valid integer value";
    }
    void tooLarge() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, message);
        try {
            WaveLimitsFromTexts(low, high);
            QFAIL("no conversion error");
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
    }
};

QTEST_APPLESS_MAIN(TestWaveLimits)
#include "tst_wavelimits.moc"
