#include "app/ansi_text.h"
#include "app/conversions.h"
#include "app/hex_pairs.h"

#include <QtTest>

#include <vector>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

class TestAnsiText : public QObject {
    Q_OBJECT
private slots:
    void encode_data() {
        QTest::addColumn<QString>("codeset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii utf8") << "UTF-8"
                                    << "AB 1" << QByteArray("AB 1");
        QTest::newRow("chinese utf8") << "UTF-8"
                                      << "数" << QByteArray("\xE6\x95\xB0");
        QTest::newRow("chinese gbk") << "GBK"
                                     << "数A"
                                     << QByteArray("\xCA\xFD"
                                                   "A");
        QTest::newRow("not in gbk") << "GBK"
                                    << "é€😀" << QByteArray("\xA8\xA6\x80?");
        QTest::newRow("emoji utf8") << "UTF-8"
                                    << "😀" << QByteArray("\xF0\x9F\x98\x80");
        // A lone surrogate is one character: the Thai letter after it keeps its own "?".
        QTest::newRow("lone surrogate gbk")
            << "GBK" << QString(QChar(0xD800)) + QStringLiteral("ก1") << QByteArray("??1");
    }
    void encode() {
        QFETCH(QString, codeset);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const AnsiCodec codec(codeset.toStdString());
        const AnsiText encoded = codec.Encode(text);
        QCOMPARE(QByteArray::fromStdString(encoded.bytes), bytes);
        QCOMPARE(encoded.characterStart.size(), encoded.bytes.size());
    }

    // Undecodable bytes show as U+FFFD; a 0 byte does not end the text.
    void decode_data() {
        QTest::addColumn<QString>("codeset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf8 with nul")
            << "UTF-8" << QByteArray("A\0B", 3) << QString::fromUtf16(u"A\0B", 3);
        QTest::newRow("utf8 invalid") << "UTF-8"
                                      << QByteArray("\xFF"
                                                    "A")
                                      << QStringLiteral("\uFFFDA");
        QTest::newRow("gbk") << "GBK" << QByteArray("\xCA\xFD\x00Z", 4)
                             << QString::fromUtf16(u"数\0Z", 3);
        QTest::newRow("gbk invalid") << "GBK"
                                     << QByteArray("\xFF"
                                                   "A")
                                     << QStringLiteral("\uFFFDA");
        QTest::newRow("gbk cut pair") << "GBK" << QByteArray("A\xCA") << QStringLiteral("A\uFFFD");
    }
    void decode() {
        QFETCH(QString, codeset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const AnsiCodec codec(codeset.toStdString());
        QCOMPARE(
            codec.Decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()),
            text);
    }

    void hexPairs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("upper") << "0A1B" << Bytes{10, 27};
        QTest::newRow("lower") << "0a1bff" << Bytes{10, 27, 255};
        QTest::newRow("odd last never read") << "12G" << Bytes{18};
        QTest::newRow("one character") << "G" << Bytes{};
        QTest::newRow("empty") << "" << Bytes{};
    }
    void hexPairs() {
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        QCOMPARE(ReadHexPairs(AnsiCodec("UTF-8").Encode(text), 2048), bytes);
    }

    void hexPairsStopAtLimit() {
        const AnsiText text = AnsiCodec("UTF-8").Encode(QString(5000, u'7'));
        QCOMPARE(ReadHexPairs(text, 2048).size(), std::size_t(2048));
    }

    // The error names the one bad character, a whole Chinese character included.
    void hexPairError_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << "01 02"
                               << "' ' is not a valid integer value";
        QTest::newRow("letter") << "0G"
                                << "'G' is not a valid integer value";
        QTest::newRow("chinese") << "0数"
                                 << "'数' is not a valid integer value";
        QTest::newRow("chinese second byte") << "数"
                                             << "'数' is not a valid integer value";
        // The lone surrogate alone is named; it shows as "?" once the message is a std::string.
        QTest::newRow("lone surrogate")
            << QString(QChar(0xD800)) + QStringLiteral("G1") << "'?' is not a valid integer value";
    }
    void hexPairError() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            ReadHexPairs(AnsiCodec("UTF-8").Encode(text), 2048);
            QFAIL("no error");
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
    }

    void digitsToInt32_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("digits");
        QTest::addColumn<qint64>("value");
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("leading zeros") << "000000000000123" << true << qint64(123);
        QTest::newRow("max") << "2147483647" << true << qint64(2147483647);
        QTest::newRow("over") << "2147483648" << true << qint64(-1);
        QTest::newRow("far over") << "99999999999999999999999" << true << qint64(-1);
        QTest::newRow("sign") << "-1" << false << qint64(-1);
        QTest::newRow("blank") << " 1" << false << qint64(-1);
        QTest::newRow("empty") << "" << false << qint64(-1);
    }
    void digitsToInt32() {
        QFETCH(QString, text);
        QFETCH(bool, digits);
        QFETCH(qint64, value);
        QCOMPARE(IsDigitText(text), digits);
        if (value >= 0) {
            QCOMPARE(qint64(DigitsToInt32(text)), value);
            return;
        }
        try {
            DigitsToInt32(text);
            QFAIL("no error");
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.what()), InvalidIntegerMessage(text));
        }
    }
};

QTEST_MAIN(TestAnsiText)
#include "tst_ansitext.moc"
