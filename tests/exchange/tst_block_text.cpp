#include "app/conversions.h"
#include "exchange/block_text.h"

#include <QtTest>

class TestBlockText : public QObject {
    Q_OBJECT
private slots:
    void hexForm_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("example") << QByteArray("\x31\x0A\xFF") << "310AFF";
        QTest::newRow("zero and 7F") << QByteArray("\x00\x7F", 2) << "007F";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void hexForm() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(HexForm(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()),
                 text);
    }

    void fullBlockHexForm() {
        std::uint8_t bytes[2048];
        for (int i = 0; i < 2048; ++i)
            bytes[i] = static_cast<std::uint8_t>(i);
        const QString text = HexForm(bytes, 2048);
        QCOMPARE(text.size(), 4096);
        QCOMPARE(text.mid(2 * 255, 6), QStringLiteral("FF0001"));
    }

    // -1 stands for the conversion error; message names the character.
    void sums_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("sum");
        QTest::addColumn<QString>("message");
        QTest::newRow("example") << "0102FF" << qint64(258) << "";
        QTest::newRow("odd last ignored") << "abc" << qint64(171) << "";
        QTest::newRow("empty") << "" << qint64(0) << "";
        QTest::newRow("blank") << "01 02" << qint64(-1) << "' ' is not a valid integer value";
        QTest::newRow("letter") << "0G" << qint64(-1) << "'G' is not a valid integer value";
    }
    void sums() {
        QFETCH(QString, text);
        QFETCH(qint64, sum);
        QFETCH(QString, message);
        const AnsiCodec codec("UTF-8");
        if (sum >= 0) {
            QCOMPARE(qint64(SumHexPairs(codec.Encode(text))), sum);
            return;
        }
        try {
            SumHexPairs(codec.Encode(text));
            QFAIL("no error");
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
    }

    void stripLabel() {
        QCOMPARE(StripLabel(QStringLiteral("DEC=258"), QStringLiteral("DEC=")),
                 QStringLiteral("258"));
        QCOMPARE(StripLabel(QStringLiteral("dec=258"), QStringLiteral("DEC=")),
                 QStringLiteral("dec=258"));
        QCOMPARE(StripLabel(QStringLiteral("DEC"), QStringLiteral("DEC=")), QStringLiteral("DEC"));
    }
};

QTEST_MAIN(TestBlockText)
#include "tst_block_text.moc"
