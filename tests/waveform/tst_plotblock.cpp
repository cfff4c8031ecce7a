#include "waveform/plot_block.h"
#include "waveform/plot_model.h"

#include <QtTest>

#include <optional>
#include <span>

using SeriesValues = QList<QList<int>>;

namespace {

std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

SeriesValues ValuesOf(const PlotModel& model) {
    SeriesValues all;
    for (int k = 0; k < model.SeriesCount(); ++k)
        all.append(QList<int>(model.Values(k).begin(), model.Values(k).end()));
    return all;
}

QByteArray Counting(int from, int to) {
    QByteArray bytes;
    for (int b = from; b <= to; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

// The state every row starts from: a block dealt one byte per series over all eight series
// (Series k holds k and k + 8) with the axis fixed at 0 to 255, or on the single-channel chart
// the same bytes on Series1.
PlotModel PlottedBefore(int seriesCount) {
    PlotModel model(seriesCount);
    const QByteArray bytes = Counting(1, 16);
    PlotBlock(model, SingleByteFixed255, {}, AsBytes(bytes),
              seriesCount > 1 ? std::optional(ChannelDealing{1, 8}) : std::nullopt);
    return model;
}

} // namespace

class TestPlotBlock : public QObject {
    Q_OBJECT
private slots:
    void plot_data() {
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("range");    // low, single-byte high, double-byte high
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("dealing");  // N, S; empty: dealing not allowed
        QTest::addColumn<SeriesValues>("series"); // every series after the plot
        QTest::addColumn<QList<int>>("axis");     // fixed low, high; empty: automatic

        const QList<int> fallback{0, 255, 65535};
        const QList<int> none;
        const QList<int> kept2to8[] = {{2, 10}, {3, 11}, {4, 12}, {5, 13}, {6, 14}, {7, 15}, {8, 16}};
        const auto multi = [&](QList<int> series1) {
            SeriesValues all{series1};
            for (const QList<int>& kept : kept2to8)
                all.append(kept);
            return all;
        };
        const SeriesValues before = multi({1, 9});
        const QList<int> fixed255{0, 255};

        QTest::newRow("mode 0, 05 FF 00") << 8 << 0 << fallback << QByteArray::fromHex("05FF00")
                                          << none << multi({5, 255, 0}) << none;
        QTest::newRow("mode 0, 0 bytes") << 8 << 0 << fallback << QByteArray() << none
                                         << multi({}) << none;
        QTest::newRow("mode 1, user range") << 8 << 1 << QList<int>{100, 300, 300}
                                            << QByteArray::fromHex("0102") << none
                                            << multi({1, 2}) << QList<int>{100, 300};
        QTest::newRow("mode 1, swapped limits") << 8 << 1 << QList<int>{300, 100, 100}
                                                << QByteArray::fromHex("01") << none
                                                << multi({1}) << QList<int>{100, 300};
        QTest::newRow("mode 1, equal limits") << 8 << 1 << QList<int>{7, 7, 7}
                                              << QByteArray::fromHex("01") << none
                                              << multi({1}) << QList<int>{7, 7};
        QTest::newRow("mode 1, fallback") << 8 << 1 << fallback << QByteArray::fromHex("01")
                                          << none << multi({1}) << fixed255;
        QTest::newRow("mode 1, 1000-2000 after 255") << 8 << 1 << QList<int>{1000, 2000, 2000}
                                                     << QByteArray::fromHex("FF") << none
                                                     << multi({255}) << QList<int>{1000, 2000};
        QTest::newRow("mode 2, not dealt") << 8 << 2 << fallback
                                           << QByteArray::fromHex("0A141E2832") << none
                                           << multi({10, 20, 30, 40, 50}) << fixed255;
        QTest::newRow("mode 2, N1 S3")
            << 8 << 2 << fallback << QByteArray::fromHex("0A141E2832") << QList<int>{1, 3}
            << SeriesValues{{10, 40}, {20, 50}, {30}, {}, {}, {}, {}, {}} << fixed255;
        QTest::newRow("mode 2, N2 S2")
            << 8 << 2 << fallback << QByteArray::fromHex("01020304050607") << QList<int>{2, 2}
            << SeriesValues{{1, 2, 5, 6}, {3, 4, 7}, {}, {}, {}, {}, {}, {}} << fixed255;
        QTest::newRow("mode 2, N2 S3, 12 bytes")
            << 8 << 2 << fallback << Counting(1, 12) << QList<int>{2, 3}
            << SeriesValues{{1, 2, 7, 8}, {3, 4, 9, 10}, {5, 6, 11, 12}, {}, {}, {}, {}, {}}
            << fixed255;
        QTest::newRow("mode 2, N1 S1 clears the others")
            << 8 << 2 << fallback << QByteArray::fromHex("0102") << QList<int>{1, 1}
            << SeriesValues{{1, 2}, {}, {}, {}, {}, {}, {}, {}} << fixed255;
        QTest::newRow("mode 2, N8 S8, ends inside a group")
            << 8 << 2 << fallback << Counting(1, 10) << QList<int>{8, 8}
            << SeriesValues{{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10}, {}, {}, {}, {}, {}, {}} << fixed255;
        QTest::newRow("mode 3, pair 12 34") << 8 << 3 << fallback << QByteArray::fromHex("1234")
                                            << none << multi({0x1234}) << none;
        QTest::newRow("mode 3, odd length") << 8 << 3 << fallback << QByteArray::fromHex("010203")
                                            << none << multi({258}) << none;
        QTest::newRow("mode 3, one byte") << 8 << 3 << fallback << QByteArray::fromHex("01")
                                          << none << multi({}) << none;
        QTest::newRow("mode 3, dealing ignored") << 8 << 3 << fallback
                                                 << QByteArray::fromHex("FFFF0000")
                                                 << QList<int>{1, 3} << multi({65535, 0}) << none;
        QTest::newRow("mode 4, user range") << 8 << 4 << QList<int>{40000, 500, 500}
                                            << QByteArray::fromHex("0102") << none
                                            << multi({258}) << QList<int>{500, 40000};
        QTest::newRow("mode 4, fallback") << 8 << 4 << fallback << QByteArray::fromHex("0102")
                                          << none << multi({258}) << QList<int>{0, 65535};
        QTest::newRow("mode 5") << 8 << 5 << fallback << QByteArray::fromHex("00FFFF00") << none
                                << multi({255, 65280}) << QList<int>{0, 65535};
        QTest::newRow("mode 6, FF FF above the range")
            << 8 << 6 << fallback << QByteArray::fromHex("FFFF") << none << multi({65535})
            << QList<int>{0, 3000};
        QTest::newRow("mode 7") << 8 << 7 << fallback << QByteArray::fromHex("0102")
                                << QList<int>{1, 1} << before << fixed255;
        QTest::newRow("no mode") << 8 << -1 << fallback << QByteArray::fromHex("0102")
                                 << QList<int>{1, 1} << before << fixed255;

        QList<int> single;
        for (int b = 1; b <= 16; ++b)
            single.append(b);
        QTest::newRow("single channel, mode 2") << 1 << 2 << fallback
                                                << QByteArray::fromHex("0A141E2832") << none
                                                << SeriesValues{{10, 20, 30, 40, 50}} << fixed255;
        QTest::newRow("single channel, dealing asked")
            << 1 << 2 << fallback << QByteArray::fromHex("0A141E2832") << QList<int>{1, 3}
            << SeriesValues{{10, 20, 30, 40, 50}} << fixed255;
        QTest::newRow("single channel, mode 7") << 1 << 7 << fallback << QByteArray::fromHex("01")
                                                << none << SeriesValues{single} << fixed255;
    }

    void plot() {
        QFETCH(int, seriesCount);
        QFETCH(int, mode);
        QFETCH(QList<int>, range);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, dealing);
        QFETCH(SeriesValues, series);
        QFETCH(QList<int>, axis);

        PlotModel model = PlottedBefore(seriesCount);
        const std::optional<ChannelDealing> deal =
            dealing.isEmpty() ? std::nullopt
                              : std::optional(ChannelDealing{dealing[0], dealing[1]});
        PlotBlock(model, mode, {range[0], range[1], range[2]}, AsBytes(bytes), deal);

        QCOMPARE(ValuesOf(model), series);
        const PlotModel::ValueAxis expected =
            axis.isEmpty() ? PlotModel::ValueAxis{} : PlotModel::ValueAxis{false, axis[0], axis[1]};
        QCOMPARE(model.Axis().automatic, expected.automatic);
        QCOMPARE(model.Axis().low, expected.low);
        QCOMPARE(model.Axis().high, expected.high);
    }

    // The largest blocks fill Series1 whole: 2048 bytes, or 1024 pairs.
    void fullBlock_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("points");
        QTest::newRow("single byte") << 0 << 2048;
        QTest::newRow("pairs") << 3 << 1024;
    }
    void fullBlock() {
        QFETCH(int, mode);
        QFETCH(int, points);
        QByteArray bytes(2048, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i % 256);
        PlotModel model(8);
        PlotBlock(model, mode, {}, AsBytes(bytes), std::nullopt);
        QCOMPARE(model.Values(0).size(), std::size_t(points));
        QCOMPARE(model.Values(0).back(), mode == 0 ? 255 : 0xFEFF);
    }

    // Group lengths and counts outside 1 to 8 cannot stall the dealing or reach a missing series.
    void dealingOutsideTheCycle() {
        PlotModel model(8);
        const QByteArray bytes = Counting(1, 20);
        PlotBlock(model, SingleByteFixed255, {}, AsBytes(bytes), ChannelDealing{0, 9});
        QCOMPARE(model.Values(0), (std::vector<std::int32_t>{1, 9, 17}));
        QCOMPARE(model.Values(7), (std::vector<std::int32_t>{8, 16}));
    }
};

QTEST_APPLESS_MAIN(TestPlotBlock)
#include "tst_plotblock.moc"
