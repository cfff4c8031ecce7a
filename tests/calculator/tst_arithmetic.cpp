#include "app/conversions.h"
#include "calculator/arithmetic.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(Operation)

namespace {

constexpr double Max = std::numeric_limits<double>::max();

// The product as the plain loop forms it; nullopt where it overflows.
std::optional<double> PlainPower(double base, int exponent) {
    double product = 1.0;
    for (int i = 0; i < exponent; ++i) {
        product *= base;
        if (std::isinf(product))
            return std::nullopt;
    }
    return product;
}

std::optional<double> Shortcut(double base, std::int32_t exponent) {
    try {
        return PowerProduct(base, exponent);
    } catch (const EOverflow&) {
        return std::nullopt;
    }
}

} // namespace

class TestArithmetic : public QObject {
    Q_OBJECT
private slots:
    void compute_data() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<double>("result");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("add") << Operation::Add << 1.0 << 2.0 << 3.0 << false;
        QTest::newRow("subtract") << Operation::Subtract << -5.0 << -5.0 << 0.0 << false;
        QTest::newRow("multiply") << Operation::Multiply << 0.5 << 4.0 << 2.0 << false;
        QTest::newRow("divide") << Operation::Divide << 1.0 << 4.0 << 0.25 << false;
        QTest::newRow("sum overflows") << Operation::Add << Max << Max << 0.0 << true;
        QTest::newRow("difference overflows") << Operation::Subtract << -Max << Max << 0.0 << true;
        QTest::newRow("product overflows") << Operation::Multiply << 1e200 << -1e200 << 0.0 << true;
        QTest::newRow("quotient overflows") << Operation::Divide << 1e300 << 1e-300 << 0.0 << true;
        QTest::newRow("underflow is silent")
            << Operation::Multiply << 1e-300 << 1e-300 << 0.0 << false;
        QTest::newRow("denormal result") << Operation::Divide << 1e-300 << 1e10 << 1e-310 << false;
    }
    void compute() {
        QFETCH(Operation, operation);
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(double, result);
        QFETCH(bool, overflows);
        if (overflows)
            QVERIFY_THROWS_EXCEPTION(EOverflow, Compute(operation, first, second));
        else
            QCOMPARE(Compute(operation, first, second), result);
    }

    void addToTotal() {
        QCOMPARE(AddToTotal(AddToTotal(0.1, 0.1), 0.1), 0.1 + 0.1 + 0.1);
        QVERIFY_THROWS_EXCEPTION(EOverflow, AddToTotal(Max, Max));
    }

    // The largest exponent where the product settles, alternates or overflows: what the whole
    // loop gives (bench_calculator shows how long each takes).
    void powerWithHugeExponent_data() {
        QTest::addColumn<double>("base");
        QTest::addColumn<int>("exponent");
        QTest::addColumn<std::optional<double>>("product");
        const int huge = std::numeric_limits<std::int32_t>::max();
        QTest::newRow("one") << 1.0 << huge << std::optional(1.0);
        QTest::newRow("minus one, odd") << -1.0 << huge << std::optional(-1.0);
        QTest::newRow("minus one, even") << -1.0 << huge - 1 << std::optional(1.0);
        QTest::newRow("half") << 0.5 << huge << std::optional(0.0);
        QTest::newRow("minus half") << -0.5 << huge << std::optional(0.0);
        QTest::newRow("two overflows") << 2.0 << huge << std::optional<double>();
        QTest::newRow("minus two overflows") << -2.0 << huge << std::optional<double>();
        // Below half the smallest step a product no longer shrinks, and with a negative base it
        // alternates in sign.
        QTest::newRow("stuck denormal") << 0.9 << huge << std::optional(PlainPower(0.9, 20000));
        QTest::newRow("alternating denormal, odd")
            << -0.9 << huge << std::optional(*PlainPower(-0.9, 20001));
        QTest::newRow("alternating denormal, even")
            << -0.9 << huge - 1 << std::optional(*PlainPower(-0.9, 20000));
        QTest::newRow("minus zero base") << -0.0 << huge << std::optional(0.0);
    }
    void powerWithHugeExponent() {
        QFETCH(double, base);
        QFETCH(int, exponent);
        QFETCH(std::optional<double>, product);
        const std::optional<double> result = Shortcut(base, exponent);
        QCOMPARE(result.has_value(), product.has_value());
        // Zero of either sign shows as "0", so zeros compare equal here.
        if (product)
            QVERIFY2(*result == *product, qPrintable(QString::number(*result, 'g', 17)));
    }

    // Random bases, many of them close to 1 in magnitude or tiny, against the whole loop.
    void powerMatchesWholeLoop() {
        QRandomGenerator random(5003);
        for (int i = 0; i < 3000; ++i) {
            double base = 0.0;
            switch (i % 4) {
            case 0:
                base = random.bounded(4.0) - 2.0;
                break;
            case 1:
                base = (random.bounded(2) ? 1 : -1) *
                       (1.0 - std::ldexp(random.bounded(1.0), -random.bounded(1, 12)));
                break;
            case 2:
                base = (random.bounded(2) ? 1 : -1) *
                       (1.0 + std::ldexp(random.bounded(1.0), -random.bounded(1, 12)));
                break;
            case 3:
                base = std::ldexp(random.bounded(2.0) - 1.0, -random.bounded(0, 1100));
                break;
            }
            const int exponent = random.bounded(0, 30000);
            const std::optional<double> expected = PlainPower(base, exponent);
            const std::optional<double> result = Shortcut(base, exponent);
            QVERIFY2(result.has_value() == expected.has_value(),
                     qPrintable(QStringLiteral("%1 ^ %2").arg(base, 0, 'g', 17).arg(exponent)));
            if (expected)
                QVERIFY2(*result == *expected,
                         qPrintable(QStringLiteral("%1 ^ %2").arg(base, 0, 'g', 17).arg(exponent)));
        }
    }
};

QTEST_APPLESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
