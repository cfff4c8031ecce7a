#include "app/conversions.h"
#include "calculator/calculator_commands.h"

#include <QtTest>

Q_DECLARE_METATYPE(Operation)

namespace {

const QString FirstMissing = QString::fromUtf8(NoticeFirstMissing);
const QString SecondMissing = QString::fromUtf8(NoticeSecondMissing);
const QString BadFormat = QString::fromUtf8(NoticeBadFormat);
const QString ZeroDivisor = QString::fromUtf8(NoticeZeroDivisor);
const QString ZeroOperand = QString::fromUtf8(NoticeZeroOperand);
const QString ConvertMissing = QString::fromUtf8(NoticeConvertMissing);
const QString OverRange = QString::fromUtf8(NoticeOverRange);
const QString HexToDec = QString::fromLatin1(CaptionHexToDecimal);
const QString DecToHex = QString::fromLatin1(CaptionDecimalToHex);
const QString Overflow = QStringLiteral("Floating point overflow");

QString InvalidFloat(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

// Runs a command and gives "notice: ...", "error: ..." or the result text.
template <typename Command> QString Outcome(Command command) {
    try {
        const CommandOutcome outcome = command();
        return outcome.notice.isEmpty() ? outcome.result : "notice: " + outcome.notice;
    } catch (const std::exception& e) {
        return "error: " + QString::fromStdString(e.what());
    }
}

} // namespace

class TestCalculatorCommands : public QObject {
    Q_OBJECT
private slots:
    void arithmetic_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shown");
        const auto add = Operation::Add;
        const auto sub = Operation::Subtract;
        const auto mul = Operation::Multiply;
        const auto div = Operation::Divide;
        QTest::newRow("1 + 2") << "1" << add << "2"
                               << "3";
        QTest::newRow("-5 - -5") << "-5" << sub << "-5"
                                 << "0";
        QTest::newRow("0 * -1") << "0" << mul << "-1"
                                << "0";
        QTest::newRow(". + 1") << "." << add << "1"
                               << "1";
        QTest::newRow(".5 * 4") << ".5" << mul << "4"
                                << "2";
        QTest::newRow("0.1 + 0.2") << "0.1" << add << "0.2"
                                   << "0.3";
        QTest::newRow("1 / 3") << "1" << div << "3"
                               << "0.333333333333333";
        QTest::newRow("2 / 3") << "2" << div << "3"
                               << "0.666666666666667";
        QTest::newRow("to 1E15") << "1000000" << mul << "1000000000"
                                 << "1E15";
        QTest::newRow("to 10^14") << "100000" << mul << "1000000000"
                                  << "100000000000000";
        QTest::newRow("1 / 100000") << "1" << div << "100000"
                                    << "1E-5";
        QTest::newRow("1 / 10000") << "1" << div << "10000"
                                   << "0.0001";
        QTest::newRow("both empty") << "" << add << ""
                                    << "notice: " + FirstMissing;
        QTest::newRow("second empty") << "1" << add << ""
                                      << "notice: " + SecondMissing;
        QTest::newRow("emptiness before format") << "abc" << add << ""
                                                 << "notice: " + SecondMissing;
        QTest::newRow("two points") << "1.2.3" << add << "1"
                                    << "notice: " + BadFormat;
        QTest::newRow("comma") << "1,5" << add << "1"
                               << "notice: " + BadFormat;
        QTest::newRow("exponent") << "1e5" << add << "1"
                                  << "notice: " + BadFormat;
        QTest::newRow("blank") << " 1" << add << "1"
                               << "notice: " + BadFormat;
        QTest::newRow("plus sign") << "1" << add << "+1"
                                   << "notice: " + BadFormat;
        QTest::newRow("format before conversion") << "5-3" << add << "x"
                                                  << "notice: " + BadFormat;
        QTest::newRow("5-3") << "5-3" << add << "1"
                             << "error: " + InvalidFloat("5-3");
        QTest::newRow("--5") << "1" << sub << "--5"
                             << "error: " + InvalidFloat("--5");
        QTest::newRow("lone minus") << "-" << mul << "2"
                                    << "error: " + InvalidFloat("-");
        QTest::newRow("first named first") << "1-" << add << "-"
                                           << "error: " + InvalidFloat("1-");
        QTest::newRow("10 / 0") << "10" << div << "0"
                                << "notice: " + ZeroDivisor;
        QTest::newRow("10 / 0.0") << "10" << div << "0.0"
                                  << "notice: " + ZeroDivisor;
        QTest::newRow("10 / -0") << "10" << div << "-0"
                                 << "notice: " + ZeroDivisor;
        QTest::newRow("10 / .") << "10" << div << "."
                                << "notice: " + ZeroDivisor;
        QTest::newRow("10 / 00") << "10" << div << "00"
                                 << "notice: " + ZeroDivisor;
        QTest::newRow("conversion before zero test") << "-" << div << "0"
                                                     << "error: " + InvalidFloat("-");
        QTest::newRow("operand overflow") << "1" + QString(400, u'0') << add << "1"
                                          << "error: " + Overflow;
        QTest::newRow("product overflow")
            << "1" + QString(200, u'0') << mul << "1" + QString(200, u'0') << "error: " + Overflow;
        QTest::newRow("quotient overflow")
            << "1" + QString(300, u'0') << div << "0." + QString(300, u'0') + "1"
            << "error: " + Overflow;
        QTest::newRow("underflow is silent")
            << "0." + QString(200, u'0') + "1" << mul << "0." + QString(200, u'0') + "1"
            << "0";
    }
    void arithmetic() {
        QFETCH(QString, first);
        QFETCH(Operation, operation);
        QFETCH(QString, second);
        QFETCH(QString, shown);
        QCOMPARE(Outcome([&] { return Arithmetic(operation, first, second); }), shown);
    }

    void power_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("exponent");
        QTest::addColumn<QString>("shown");
        QTest::newRow("2 ^ 10") << "2"
                                << "10"
                                << "1024";
        QTest::newRow("2 ^ 00") << "2"
                                << "00"
                                << "1";
        QTest::newRow("0.5 ^ 3") << "0.5"
                                 << "3"
                                 << "0.125";
        QTest::newRow("-2 ^ 3") << "-2"
                                << "3"
                                << "-8";
        QTest::newRow("00 ^ 5") << "00"
                                << "5"
                                << "0";
        QTest::newRow("0.0 ^ 2") << "0.0"
                                 << "2"
                                 << "0";
        QTest::newRow("-0 ^ 3") << "-0"
                                << "3"
                                << "0";
        QTest::newRow("0.1 ^ 3") << "0.1"
                                 << "3"
                                 << "0.001";
        QTest::newRow("2 ^ 1023") << "2"
                                  << "1023"
                                  << "8.98846567431158E307";
        QTest::newRow("1 ^ max") << "1"
                                 << "2147483647"
                                 << "1";
        QTest::newRow("-1 ^ max") << "-1"
                                  << "2147483647"
                                  << "-1";
        QTest::newRow("0.5 ^ max") << "0.5"
                                   << "2147483647"
                                   << "0";
        QTest::newRow("2 ^ 0") << "2"
                               << "0"
                               << "notice: " + ZeroOperand;
        QTest::newRow("0 ^ 2") << "0"
                               << "2"
                               << "notice: " + ZeroOperand;
        QTest::newRow("empty exponent wins") << "0"
                                             << ""
                                             << "notice: " + SecondMissing;
        QTest::newRow("empty base") << ""
                                    << ""
                                    << "notice: " + FirstMissing;
        QTest::newRow("zero before format") << "abc"
                                            << "0"
                                            << "notice: " + ZeroOperand;
        QTest::newRow("2 ^ -1") << "2"
                                << "-1"
                                << "notice: " + BadFormat;
        QTest::newRow("2 ^ 1.5") << "2"
                                 << "1.5"
                                 << "notice: " + BadFormat;
        QTest::newRow("2 ^ +3") << "2"
                                << "+3"
                                << "notice: " + BadFormat;
        QTest::newRow("bad base") << "2x"
                                  << "3"
                                  << "notice: " + BadFormat;
        QTest::newRow("2 ^ 1024") << "2"
                                  << "1024"
                                  << "error: " + Overflow;
        QTest::newRow("10 ^ 400") << "10"
                                  << "400"
                                  << "error: " + Overflow;
        QTest::newRow("2 ^ max") << "2"
                                 << "2147483647"
                                 << "error: " + Overflow;
        QTest::newRow("exponent too large") << "2"
                                            << "3000000000"
                                            << "error: '3000000000' is not a valid integer value";
        QTest::newRow("base converted first") << "5-"
                                              << "3000000000"
                                              << "error: " + InvalidFloat("5-");
    }
    void power() {
        QFETCH(QString, base);
        QFETCH(QString, exponent);
        QFETCH(QString, shown);
        QCOMPARE(Outcome([&] { return Power(base, exponent); }), shown);
    }

    // A column of numbers added one Sum at a time.
    void sumRuns() {
        double total = 0.0;
        QStringList shown;
        for (const char* operand : {"5", "3", "-8", "0.1", "0.1", "0.1"}) {
            const SumOutcome outcome = Sum(QString::fromLatin1(operand), total);
            QVERIFY(outcome.notice.isEmpty());
            QVERIFY(outcome.selectFirst);
            total = outcome.total;
            shown << outcome.result;
        }
        QCOMPARE(shown, QStringList({"5", "8", "0", "0.1", "0.2", "0.3"}));
    }

    void sumRefuses_data() {
        QTest::addColumn<QString>("operand");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("selectFirst");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << "" << 7.0 << FirstMissing << false << "";
        QTest::newRow("abc") << "abc" << 7.0 << BadFormat << true << "";
        QTest::newRow("5-") << "5-" << 7.0 << "" << false << InvalidFloat("5-");
        QTest::newRow("lone minus") << "-" << 7.0 << "" << false << InvalidFloat("-");
        QTest::newRow("total overflows")
            << "1" + QString(308, u'0') << 1.7e308 << "" << false << Overflow;
    }
    void sumRefuses() {
        QFETCH(QString, operand);
        QFETCH(double, total);
        QFETCH(QString, notice);
        QFETCH(bool, selectFirst);
        QFETCH(QString, error);
        try {
            const SumOutcome outcome = Sum(operand, total);
            QCOMPARE(outcome.notice, notice);
            QCOMPARE(outcome.selectFirst, selectFirst);
            QCOMPARE(outcome.total, total);
            QVERIFY(error.isEmpty());
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromStdString(e.what()), error);
        }
    }

    void convertBase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("captionAfter");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("result"); // null: the result box keeps its text
        QTest::newRow("FF") << "FF" << HexToDec << DecToHex << ""
                            << "255";
        QTest::newRow("255") << "255" << DecToHex << HexToDec << ""
                             << "FF";
        QTest::newRow("ff") << "ff" << HexToDec << DecToHex << ""
                            << "255";
        QTest::newRow("fF") << "fF" << HexToDec << DecToHex << ""
                            << "255";
        QTest::newRow("hex 0") << "0" << HexToDec << DecToHex << ""
                               << "0";
        QTest::newRow("decimal 0") << "0" << DecToHex << HexToDec << ""
                                   << "0";
        QTest::newRow("000255") << "000255" << DecToHex << HexToDec << ""
                                << "FF";
        QTest::newRow("FFFFFFFF") << "FFFFFFFF" << HexToDec << DecToHex << ""
                                  << "4294967295";
        QTest::newRow("largest signed") << "7FFFFFFFFFFFFFFF" << HexToDec << DecToHex << ""
                                        << "9223372036854775807";
        QTest::newRow("smallest signed") << "8000000000000000" << HexToDec << DecToHex << ""
                                         << "-9223372036854775808";
        QTest::newRow("sixteen F") << "FFFFFFFFFFFFFFFF" << HexToDec << DecToHex << ""
                                   << "-1";
        QTest::newRow("17 digits") << "10000000000000000" << HexToDec << DecToHex << ""
                                   << "0";
        QTest::newRow("digits past 16 vanish")
            << "AB" + QString(14, u'0') + "F" << HexToDec << DecToHex << ""
            << "-5764607523034234865";
        QTest::newRow("0x1F as hex") << "0x1F" << HexToDec << DecToHex << BadFormat << QString();
        QTest::newRow("0x1F as decimal")
            << "0x1F" << DecToHex << DecToHex << BadFormat << QString();
        QTest::newRow("negative") << "-1" << DecToHex << DecToHex << BadFormat << QString();
        QTest::newRow("point") << "1.5" << DecToHex << DecToHex << BadFormat << QString();
        QTest::newRow("2147483647") << "2147483647" << DecToHex << HexToDec << ""
                                    << "7FFFFFFF";
        QTest::newRow("2147483648") << "2147483648" << DecToHex << HexToDec << OverRange << "FF";
        QTest::newRow("far over range")
            << QString(40, u'9') << DecToHex << HexToDec << OverRange << "FF";
        QTest::newRow("other caption is decimal") << "16"
                                                  << "x" << HexToDec << ""
                                                  << "10";
        QTest::newRow("empty hex") << "" << HexToDec << HexToDec << ConvertMissing << QString();
        QTest::newRow("empty decimal") << "" << DecToHex << DecToHex << ConvertMissing << QString();
    }
    void convertBase() {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QString, captionAfter);
        QFETCH(QString, notice);
        QFETCH(QString, result);
        const ConversionOutcome outcome = ConvertBase(text, caption);
        QCOMPARE(outcome.caption, captionAfter);
        QCOMPARE(outcome.notice, notice);
        QCOMPARE(outcome.result.isNull(), result.isNull());
        QCOMPARE(outcome.result, result);
    }
};

QTEST_APPLESS_MAIN(TestCalculatorCommands)
#include "tst_calculator_commands.moc"
