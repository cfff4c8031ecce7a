#include "app/conversions.h"
#include "calculator/number_text.h"
#include "tests/support/exact_decimal.h"

#include <QRandomGenerator>
#include <QtTest>

#include <bit>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(CharacterSet)

namespace {

constexpr double Max = std::numeric_limits<double>::max();
constexpr double MinDenormal = std::numeric_limits<double>::denorm_min();

// A text just below a plain decimal text: its last digit lowered, then 9s.
std::string JustBelow(std::string text) {
    std::size_t i = text.size();
    while (i-- > 0) {
        if (text[i] == '.')
            continue;
        if (text[i] != '0') {
            --text[i];
            break;
        }
        text[i] = '9';
    }
    return text + (text.find('.') == std::string::npos ? ".99" : "99");
}

std::string JustAbove(const std::string& text) {
    return text + (text.find('.') == std::string::npos ? ".0001" : "0001");
}

double RandomFinite(QRandomGenerator& random) {
    for (;;) {
        const double value = std::bit_cast<double>(random.generate64());
        if (std::isfinite(value))
            return value;
    }
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void checkNumberText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CharacterSet>("set");
        QTest::addColumn<qint64>("bad");
        QTest::addColumn<qint64>("points");
        QTest::addColumn<bool>("passes");
        const auto operand = CharacterSet::Operand;
        const auto exponent = CharacterSet::Exponent;
        const auto decimal = CharacterSet::Decimal;
        const auto hex = CharacterSet::Hexadecimal;
        QTest::newRow("empty") << "" << operand << 0LL << 0LL << true;
        QTest::newRow("point") << "12.5" << operand << 0LL << 1LL << true;
        QTest::newRow("two points") << "1.2.3" << operand << 0LL << 2LL << false;
        QTest::newRow("minus anywhere") << "-5-3--" << operand << 0LL << 0LL << true;
        QTest::newRow("comma") << "1,5" << operand << 1LL << 0LL << false;
        QTest::newRow("leading blank") << " 1" << operand << 1LL << 0LL << false;
        QTest::newRow("plus") << "+1" << operand << 1LL << 0LL << false;
        QTest::newRow("exponent letter") << "1e5" << operand << 1LL << 0LL << false;
        QTest::newRow("counts every character") << "a.b.c" << operand << 3LL << 2LL << false;
        QTest::newRow("other script") << "数字" << operand << 2LL << 0LL << false;
        QTest::newRow("beyond the BMP") << "😀1" << operand << 1LL << 0LL << false;
        QTest::newRow("non-ASCII digit") << "٣" << operand << 1LL << 0LL << false;
        QTest::newRow("exponent digits") << "0042" << exponent << 0LL << 0LL << true;
        QTest::newRow("exponent point") << "1.5" << exponent << 0LL << 1LL << false;
        QTest::newRow("exponent minus") << "-1" << exponent << 1LL << 0LL << false;
        QTest::newRow("decimal point is bad") << "1.5" << decimal << 1LL << 0LL << false;
        QTest::newRow("decimal letter") << "1F" << decimal << 1LL << 0LL << false;
        QTest::newRow("hex letters") << "09afAF" << hex << 0LL << 0LL << true;
        QTest::newRow("hex prefix") << "0x1F" << hex << 1LL << 0LL << false;
        QTest::newRow("hex g") << "fg" << hex << 1LL << 0LL << false;
        QTest::newRow("hex point is bad") << "f.f" << hex << 1LL << 0LL << false;
        QTest::newRow("hex minus") << "-1" << hex << 1LL << 0LL << false;
    }
    void checkNumberText() {
        QFETCH(QString, text);
        QFETCH(CharacterSet, set);
        QFETCH(qint64, bad);
        QFETCH(qint64, points);
        QFETCH(bool, passes);
        const NumberTextCount count = CheckNumberText(text, set);
        QCOMPARE(count.BadCount, bad);
        QCOMPARE(count.PointCount, points);
        QCOMPARE(PassesCheck(text, set), passes);
    }

    void parseOperand_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("error");
        const QString none;
        const QString overflow = QStringLiteral("Floating point overflow");
        const QString maxText = QString::fromStdString(PlainText(ExactValue(Max)));
        const QString overflowTie = QString::fromStdString(PlainText(Midpoint(Max, INFINITY)));
        const QString underflowTie = QString::fromStdString(PlainText(Midpoint(0.0, MinDenormal)));
        QTest::newRow("integer") << "12" << 12.0 << none;
        QTest::newRow("negative") << "-2.5" << -2.5 << none;
        QTest::newRow("lone point") << "." << 0.0 << none;
        QTest::newRow("minus point") << "-." << -0.0 << none;
        QTest::newRow("minus zero") << "-0" << -0.0 << none;
        QTest::newRow("trailing point") << "5." << 5.0 << none;
        QTest::newRow("leading point") << ".5" << 0.5 << none;
        QTest::newRow("leading zeros") << "00012.50" << 12.5 << none;
        QTest::newRow("tenth") << "0.1" << 0.1 << none;
        QTest::newRow("tie to even") << "9007199254740993" << 9007199254740992.0 << none;
        QTest::newRow("largest") << maxText << Max << none;
        QTest::newRow("just below overflow")
            << QString::fromStdString(JustBelow(overflowTie.toStdString())) << Max << none;
        QTest::newRow("overflow at the tie") << overflowTie << 0.0 << overflow;
        QTest::newRow("far beyond") << "1" + QString(400, u'0') << 0.0 << overflow;
        QTest::newRow("far beyond negative") << "-" + QString(309, u'9') + ".5" << 0.0 << overflow;
        QTest::newRow("smallest denormal")
            << QString::fromStdString(JustAbove(underflowTie.toStdString())) << MinDenormal << none;
        QTest::newRow("underflow at the tie") << underflowTie << 0.0 << none;
        QTest::newRow("far below") << "0." + QString(400, u'0') + "1" << 0.0 << none;
        QTest::newRow("far below negative") << "-0." + QString(400, u'0') + "1" << -0.0 << none;
        QTest::newRow("lone minus") << "-" << 0.0 << "'-' is not a valid floating point value";
        QTest::newRow("double minus")
            << "--5" << 0.0 << "'--5' is not a valid floating point value";
        QTest::newRow("inner minus") << "5-3" << 0.0 << "'5-3' is not a valid floating point value";
        QTest::newRow("trailing minus")
            << "1-" << 0.0 << "'1-' is not a valid floating point value";
        QTest::newRow("minus point minus")
            << "-.-" << 0.0 << "'-.-' is not a valid floating point value";
    }
    void parseOperand() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, error);
        try {
            const double parsed = ParseOperand(text);
            QVERIFY2(error.isEmpty(), "no error raised");
            QCOMPARE(std::bit_cast<std::uint64_t>(parsed), std::bit_cast<std::uint64_t>(value));
        } catch (const EConvertError& e) {
            QCOMPARE(QString::fromStdString(e.what()), error);
        } catch (const EOverflow& e) {
            QCOMPARE(QString::fromStdString(e.what()), error);
        }
    }

    // Random decimal texts, and texts at, just above and just below the halfway points between
    // neighbouring doubles, come out as the nearest double with ties to even.
    void parseOperandRoundsCorrectly() {
        QRandomGenerator random(20060105);
        std::vector<std::string> texts;
        for (int i = 0; i < 3000; ++i) {
            std::string text;
            const int integerDigits = random.bounded(0, 30);
            const int fractionDigits = random.bounded(integerDigits == 0 ? 1 : 0, 30);
            for (int d = 0; d < integerDigits; ++d)
                text += static_cast<char>('0' + random.bounded(10));
            if (fractionDigits > 0 || random.bounded(2) == 0)
                text += '.';
            for (int d = 0; d < fractionDigits; ++d)
                text += static_cast<char>('0' + random.bounded(10));
            texts.push_back(text);
        }
        for (int i = 0; i < 1000; ++i) {
            const double lower = std::fabs(RandomFinite(random));
            const double upper = std::nextafter(lower, INFINITY);
            if (std::isinf(upper))
                continue;
            const std::string halfway = PlainText(Midpoint(lower, upper));
            texts.push_back(halfway);
            texts.push_back(JustAbove(halfway));
            texts.push_back(JustBelow(halfway));
        }
        for (const std::string& text : texts) {
            const QString operand = QString::fromStdString(text);
            double value = 0.0;
            try {
                value = ParseOperand(operand);
            } catch (const std::exception& e) {
                QFAIL(qPrintable(operand + ": " + e.what()));
            }
            QVERIFY2(IsCorrectlyRounded(text, value), qPrintable(operand));
            QCOMPARE(std::bit_cast<std::uint64_t>(ParseOperand("-" + operand)),
                     std::bit_cast<std::uint64_t>(-value));
        }
    }

    void formatResult_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("three") << 3.0 << "3";
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
        QTest::newRow("1/3") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("2/3") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("0.0001") << 0.0001 << "0.0001";
        QTest::newRow("0.00001") << 0.00001 << "1E-5";
        QTest::newRow("10^14") << 1e14 << "100000000000000";
        QTest::newRow("10^15") << 1e15 << "1E15";
        QTest::newRow("2^1023") << std::ldexp(1.0, 1023) << "8.98846567431158E307";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("minus zero") << -0.0 << "0";
        QTest::newRow("negative") << -8.0 << "-8";
        QTest::newRow("fraction") << 1234.5 << "1234.5";
        QTest::newRow("below one") << 0.000123 << "0.000123";
        QTest::newRow("0.1 cubed") << 0.1 * 0.1 * 0.1 << "0.001";
        QTest::newRow("16-digit tie rounds away") << 1000000000000005.0 << "1.00000000000001E15";
        QTest::newRow("negative tie rounds away") << -1000000000000005.0 << "-1.00000000000001E15";
        QTest::newRow("half tie") << 100000000000000.5 << "100000000000001";
        QTest::newRow("rounding reaches 10^15") << 999999999999999.5 << "1E15";
        QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounding reaches 0.0001") << 0.000099999999999999999 << "0.0001";
        QTest::newRow("scientific fraction") << -1.5e-7 << "-1.5E-7";
        QTest::newRow("large") << 12345678901234567890.0 << "1.23456789012346E19";
        QTest::newRow("largest double") << Max << "1.79769313486232E308";
        QTest::newRow("smallest denormal") << MinDenormal << "4.94065645841247E-324";
        QTest::newRow("tiny") << 1e-300 << "1E-300";
    }
    void formatResult() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatResult(value), text);
    }

    // Doubles of every magnitude, and exact ties of the 16th digit, against the exact value.
    void formatResultMatchesExactValue() {
        QRandomGenerator random(1273);
        std::vector<double> values;
        for (int i = 0; i < 20000; ++i)
            values.push_back(RandomFinite(random));
        for (int i = 0; i < 2000; ++i) {
            // 16-digit integers ending in 5, and 15-digit integers and a half: exact doubles
            // whose 16th significant digit is a 5 followed by nothing.
            const double sign = random.bounded(2) == 0 ? 1.0 : -1.0;
            const qint64 tie =
                random.bounded(Q_INT64_C(100000000000000), Q_INT64_C(900719925474099)) * 10 + 5;
            const qint64 whole =
                random.bounded(Q_INT64_C(100000000000000), Q_INT64_C(999999999999999));
            values.push_back(sign * static_cast<double>(tie));
            values.push_back(sign * (static_cast<double>(whole) + 0.5));
        }
        for (double value : values)
            QCOMPARE(FormatResult(value), QString::fromStdString(ReferenceFormat(value)));
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
