#include "tests/serial/comm_recorder.h"
#include "tests/support/pty_pair.h"
#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"

#include <QtTest>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;

class TstReadThread : public QObject {
    Q_OBJECT

private slots:
    void burstsArriveAsBlocks_data();
    void burstsArriveAsBlocks();
    void ignoreNullCharDropsZeros();
    void readTimeouts_data();
    void readTimeouts();
    void farEndClosingRaisesHangup();
    void closePortWhileReceivingRaisesNoHangup();
    void slowReceiverBoundsBytesInFlight();
};

void TstReadThread::burstsArriveAsBlocks_data() {
    // Bursts are sent with a pause of `pauseMs` between them.
    QTest::addColumn<QList<QByteArray>>("bursts");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<QList<int>>("blockSizes");

    QTest::newRow("10 bytes: one block") << QList<QByteArray>{CountingBytes(10, 1)} << 0
                                         << QList<int>{10};
    QTest::newRow("5000 bytes: full blocks and the rest")
        << QList<QByteArray>{CountingBytes(5000)} << 0 << QList<int>{2048, 2048, 904};
    QTest::newRow("a pause over 100 ms splits a burst")
        << QList<QByteArray>{"first", "second"} << 250 << QList<int>{5, 6};
    QTest::newRow("0 bytes inside data are delivered")
        << QList<QByteArray>{QByteArray("\0\0ab\0c\0", 7)} << 0 << QList<int>{7};
}

void TstReadThread::burstsArriveAsBlocks() {
    QFETCH(QList<QByteArray>, bursts);
    QFETCH(int, pauseMs);
    QFETCH(QList<int>, blockSizes);

    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    QByteArray sent;
    for (const QByteArray& burst : bursts) {
        if (!sent.isEmpty())
            channel.PumpFor(std::chrono::milliseconds(pauseMs));
        QVERIFY(pty.Send(burst));
        sent += burst;
    }
    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() >= sent.size(); }, 3000ms));
    channel.PumpFor(200ms); // nothing more may follow
    QCOMPARE(recorder.BlockSizes(), blockSizes);
    QCOMPARE(recorder.Received(), sent);
    QCOMPARE(recorder.unterminatedBlocks, 0);
    QCOMPARE(recorder.hangups, 0);
    QCOMPARE(comm.BytesInFlight(), size_t(0));
}

void TstReadThread::ignoreNullCharDropsZeros() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);
    comm.SetIgnoreNullChar(true);

    pty.Send(QByteArray("\0a\0\0b\0", 6));
    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() >= 2; }, 2000ms));
    pty.Send(QByteArray("\0\0\0", 3)); // nothing but zeros: no block at all
    channel.PumpFor(250ms);
    comm.SetIgnoreNullChar(false);
    pty.Send(QByteArray("\0c", 2));
    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() >= 4; }, 2000ms));
    QCOMPARE(recorder.blocks, (QList<QByteArray>{"ab", QByteArray("\0c", 2)}));
}

void TstReadThread::readTimeouts_data() {
    QTest::addColumn<uint>("interval");
    QTest::addColumn<uint>("multiplier");
    QTest::addColumn<uint>("constant");
    QTest::addColumn<QByteArray>("sentAtOnce");
    QTest::addColumn<QList<int>>("blockSizes");

    const uint maxd = 0xFFFFFFFFu;
    QTest::newRow("total timeout, nothing arrives") << 100u << 0u << 60u << QByteArray()
                                                    << QList<int>{};
    QTest::newRow("return at once with nothing there") << maxd << 0u << 0u << QByteArray()
                                                       << QList<int>{};
    QTest::newRow("wait for a first byte that never comes")
        << maxd << maxd << 60u << QByteArray() << QList<int>{};
    QTest::newRow("total timeout delivers what came, then ends")
        << 0u << 0u << 150u << QByteArray("early") << QList<int>{5};
}

// A read that completes empty ends the read thread without any notice; bytes sent later are
// not received until the port is reopened.
void TstReadThread::readTimeouts() {
    QFETCH(uint, interval);
    QFETCH(uint, multiplier);
    QFETCH(uint, constant);
    QFETCH(QByteArray, sentAtOnce);
    QFETCH(QList<int>, blockSizes);

    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetReadIntervalTimeout(interval);
    comm.SetReadTotalTimeoutMultiplier(multiplier);
    comm.SetReadTotalTimeoutConstant(constant);
    comm.SetCommName(pty.SlavePath());
    comm.OpenPort();
    if (!sentAtOnce.isEmpty())
        pty.Send(sentAtOnce);
    channel.PumpFor(500ms);
    pty.Send("late");
    channel.PumpFor(300ms);

    QCOMPARE(recorder.BlockSizes(), blockSizes);
    QCOMPARE(recorder.hangups, 0);
    QVERIFY(comm.IsOpen());

    comm.ClosePort();
    comm.SetReadIntervalTimeout(100);
    comm.SetReadTotalTimeoutMultiplier(0);
    comm.SetReadTotalTimeoutConstant(0);
    comm.OpenPort();
    pty.Send("again");
    QVERIFY(channel.PumpUntil([&] { return recorder.Received().endsWith("again"); }, 2000ms));
}

void TstReadThread::farEndClosingRaisesHangup() {
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    {
        PtyPair pty;
        OpenOn(comm, channel, pty, recorder);
        pty.Send("last words");
        QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() == 10; }, 2000ms));
        pty.CloseMaster();
        QVERIFY(channel.PumpUntil([&] { return recorder.hangups > 0; }, 2000ms));
        QVERIFY(comm.IsOpen()); // a hang-up does not close the port
        // Writes fail on the dead line too: the write thread ends, and then refuses requests.
        const uint8_t byte = 1;
        QVERIFY(comm.WriteBytes(&byte, 1));
        QVERIFY(channel.PumpUntil([&] { return !comm.WriteBytes(&byte, 1); }, 2000ms));
        comm.ClosePort();
        channel.PumpFor(100ms);
    }
    PtyPair fresh;
    const int hangups = recorder.hangups;
    OpenOn(comm, channel, fresh, recorder);
    fresh.Send("new line");
    QVERIFY(channel.PumpUntil([&] { return recorder.Received().endsWith("new line"); }, 2000ms));
    QCOMPARE(recorder.hangups, hangups);
}

void TstReadThread::closePortWhileReceivingRaisesNoHangup() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    // The flood keeps the counting pattern going across partial writes.
    std::atomic<bool> stop = false;
    std::thread flood([&stop, master = pty.Master()] {
        const QByteArray pattern = CountingBytes(256 * 16);
        qsizetype position = 0;
        while (!stop) {
            const ssize_t n = ::write(master, pattern.constData() + position,
                                      pattern.size() - position);
            if (n > 0) {
                position = (position + n) % pattern.size();
            } else {
                pollfd entry{master, POLLOUT, 0};
                ::poll(&entry, 1, 10);
            }
        }
    });
    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() > 100000; }, 5000ms));
    QElapsedTimer timer;
    timer.start();
    comm.ClosePort();
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    stop = true;
    flood.join();
    channel.PumpFor(100ms);
    QCOMPARE(recorder.hangups, 0);
    QCOMPARE(recorder.Received(), CountingBytes(recorder.ReceivedSize()));
}

// A main thread that stops handling notices must not let queued blocks grow without bound, and
// no byte may be lost while it catches up.
void TstReadThread::slowReceiverBoundsBytesInFlight() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    const qsizetype total = qsizetype(TComm::MaxBytesInFlight) + 2 * 1024 * 1024;
    const QByteArray data = CountingBytes(total);
    std::atomic<bool> sent = false;
    std::thread sender([&] {
        pty.Send(data);
        sent = true;
    });

    // Without pumping, the read thread fills the bound and then waits.
    QElapsedTimer timer;
    timer.start();
    while (comm.BytesInFlight() < TComm::MaxBytesInFlight && timer.elapsed() < 10000)
        QTest::qWait(10);
    QTest::qWait(200);
    QVERIFY(comm.BytesInFlight() >= TComm::MaxBytesInFlight);
    QVERIFY(comm.BytesInFlight() < TComm::MaxBytesInFlight + 2048);
    QVERIFY(!sent); // the rest waits in the driver

    QVERIFY(channel.PumpUntil([&] { return recorder.ReceivedSize() >= total; }, 20000ms));
    sender.join();
    QCOMPARE(recorder.ReceivedSize(), total);
    QVERIFY(recorder.Received() == data);
    QCOMPARE(comm.BytesInFlight(), size_t(0));
    QCOMPARE(recorder.hangups, 0);
}

QTEST_GUILESS_MAIN(TstReadThread)
#include "tst_read_thread.moc"
