#include "app/error_report.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "tests/soak/sanitizer_build.h"
#include "tests/support/process_memory.h"
#include "tests/support/pty_flood.h"
#include "tests/support/pty_pair.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <thread>

// A flood through a pseudo-terminal into the real window, shown in hexadecimal and dealt over
// the chart's channels: every byte must reach the window's receive handler in order, and the
// window must hold only a bounded part of the flood at any time.
class TestReceiveFlood : public QObject {
    Q_OBJECT
private slots:
    void everyByteInOrderInBoundedMemory();
};

namespace {

constexpr qint64 MiB = 1024 * 1024;
// Sanitized builds run many times slower; a tenth of the flood still cycles the in-flight
// bound hundreds of times.
constexpr qint64 FloodBytes = ScaledForBuild(200 * MiB, 20 * MiB);
constexpr int TimeLimitMs = 90'000;
// Growth of resident memory allowed over the flood: the blocks in flight and what the window
// and chart allocate while they run. AddressSanitizer keeps freed memory in quarantine (256 MiB
// by default), so it gets that much more.
constexpr qint64 GrowthLimitKiB = ScaledForBuild(64 * MiB, 400 * MiB) / 1024;

} // namespace

void TestReceiveFlood::everyByteInOrderInBoundedMemory() {
    PtyPair pty;
    QVERIFY(pty.IsValid());
    Program program(MultiChannelBuild());
    TForm1& form = program.Form1;
    form.show();
    const std::string path = pty.SlavePath();
    form.Comm1.SetDeviceLister([path] { return std::vector<std::string>{path}; });
    form.Button10->click();
    QVERIFY(form.Comm1.IsOpen());
    program.Form2.hide();
    form.Button6->click(); // COM-16: the costlier display
    form.ComboBox6->setCurrentIndex(2);

    qint64 received = 0;
    qint64 outOfOrder = 0;
    qint64 lastBlock = 0;
    size_t mostInFlight = 0;
    QEventLoop loop;
    form.Comm1.OnReceiveData = [&, handler = form.Comm1.OnReceiveData](
                                   TComm& sender, const uint8_t* buffer, uint16_t length) {
        mostInFlight = std::max(mostInFlight, sender.BytesInFlight());
        for (uint16_t i = 0; i < length; ++i, ++received) {
            if (buffer[i] != static_cast<uint8_t>(received & 0xFF))
                ++outOfOrder;
        }
        lastBlock = length;
        handler(sender, buffer, length);
        if (received >= FloodBytes)
            loop.quit();
    };

    // A first block brings in whatever the window and chart allocate once.
    QVERIFY(pty.Send(CountingBytes(2048)));
    QTRY_COMPARE(received, qint64(2048));
    received = 0;
    const bool peakReset = ResetPeakMemory();
    const qint64 residentBefore = ProcStatusKiB("VmRSS");

    QElapsedTimer elapsed;
    elapsed.start();
    {
        std::atomic<bool> stop = false;
        std::thread farEnd([&] { Flood(pty.Master(), FloodBytes, stop); });
        QTimer::singleShot(TimeLimitMs, &loop, &QEventLoop::quit);
        loop.exec();
        stop = true; // the far end stops here if the time ran out first
        farEnd.join();
    }
    const double seconds = elapsed.elapsed() / 1000.0;
    const qint64 peak = ProcStatusKiB("VmHWM");
    qInfo("%lld MiB in %.1f s: %.1f MB/s through the window; resident %lld KiB before, peak %lld "
          "KiB%s, at most %zu bytes in flight",
          FloodBytes / MiB, seconds, received / seconds / 1e6, residentBefore, peak,
          peakReset ? "" : " (process peak)", mostInFlight);

    QCOMPARE(received, FloodBytes);
    QCOMPARE(outOfOrder, qint64(0));
    QVERIFY(mostInFlight <= TComm::MaxBytesInFlight);
    QVERIFY2(peak - residentBefore < GrowthLimitKiB,
             qPrintable(QStringLiteral("grew %1 KiB").arg(peak - residentBefore)));
    // The window showed the last block, in hexadecimal.
    QCOMPARE(
        form.Edit5->text(),
        QString::fromLatin1(CountingBytes(lastBlock, FloodBytes - lastBlock).toHex().toUpper()));
    QVERIFY(!OpenErrorReport());
    form.Button11->click();
    QVERIFY(!form.Comm1.IsOpen());
}

QTEST_MAIN(TestReceiveFlood)
#include "tst_receive_flood.moc"
