#include "tests/serial/comm_recorder.h"
#include "tests/support/pty_pair.h"
#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"

#include <QtTest>

using namespace std::chrono_literals;

class TstWriteThread : public QObject {
    Q_OBJECT

private slots:
    void refusedRequests();
    void requestsArriveInOrderWithOneEmptyNotice();
    void largeRequestsArriveWhole();
    void writeTimeoutGivesUpAStalledRequest();
    void closePortDuringALongWrite();
};

namespace {

const char XON = 0x11;
const char XOFF = 0x13;

const uint8_t* Bytes(const QByteArray& bytes) {
    return reinterpret_cast<const uint8_t*>(bytes.constData());
}

} // namespace

void TstWriteThread::refusedRequests() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    const uint8_t byte = 'a';
    QVERIFY(!comm.WriteBytes(&byte, 1)); // closed
    OpenOn(comm, channel, pty, recorder);
    QCOMPARE(recorder.sendEmpties, 1); // once after opening
    QVERIFY(!comm.WriteBytes(&byte, 0));
    QVERIFY(!comm.WriteBytes(nullptr, 1));
    channel.PumpFor(100ms);
    QCOMPARE(recorder.sendEmpties, 1); // nothing was queued
    QCOMPARE(pty.Receive(1, 100), QByteArray());
    comm.ClosePort();
    QVERIFY(!comm.WriteBytes(&byte, 1));
}

// The far end holds the line with XOFF while three one-byte requests queue up, so they
// are written as one burst: in call order, with one "queue empty" notice after the last.
void TstWriteThread::requestsArriveInOrderWithOneEmptyNotice() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetOutx_XonXoffFlow(true);
    OpenOn(comm, channel, pty, recorder);
    QCOMPARE(recorder.sendEmpties, 1);

    pty.Send(QByteArray(1, XOFF));
    QTest::qWait(50);
    uint8_t byte = '1';
    QVERIFY(comm.WriteBytes(&byte, 1));
    byte = '2'; // the caller's buffer is free as soon as WriteBytes returns
    QVERIFY(comm.WriteBytes(&byte, 1));
    byte = '3';
    QVERIFY(comm.WriteBytes(&byte, 1));
    channel.PumpFor(100ms);
    QCOMPARE(pty.Receive(3, 100), QByteArray());
    QCOMPARE(recorder.sendEmpties, 1);

    pty.Send(QByteArray(1, XON));
    QCOMPARE(pty.Receive(3, 2000), QByteArray("123"));
    QVERIFY(channel.PumpUntil([&] { return recorder.sendEmpties == 2; }, 2000ms));
    channel.PumpFor(100ms);
    QCOMPARE(recorder.sendEmpties, 2);
    QCOMPARE(recorder.hangups, 0);
}

void TstWriteThread::largeRequestsArriveWhole() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    // Far more than the pty holds: each request is continued after partial writes.
    QByteArray sent;
    for (const int size : {65535, 1, 40000, 65535, 7}) {
        const QByteArray request = CountingBytes(size, sent.size());
        QVERIFY(comm.WriteBytes(Bytes(request), uint16_t(size)));
        sent += request;
    }
    const QByteArray received = pty.Receive(sent.size(), 10000);
    QCOMPARE(received.size(), sent.size());
    QVERIFY(received == sent);
    QVERIFY(channel.PumpUntil([&] { return recorder.sendEmpties >= 2; }, 2000ms));
    QCOMPARE(recorder.hangups, 0);
}

void TstWriteThread::writeTimeoutGivesUpAStalledRequest() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    comm.SetOutx_XonXoffFlow(true);
    comm.SetWriteTotalTimeoutConstant(100);
    OpenOn(comm, channel, pty, recorder);

    pty.Send(QByteArray(1, XOFF));
    QTest::qWait(50);
    QVERIFY(comm.WriteBytes(Bytes("stalled"), 7));
    QVERIFY(channel.PumpUntil([&] { return recorder.sendEmpties == 2; }, 2000ms));
    pty.Send(QByteArray(1, XON));
    QVERIFY(comm.WriteBytes(Bytes("flowing"), 7));
    QCOMPARE(pty.Receive(7, 2000), QByteArray("flowing"));
    QCOMPARE(recorder.hangups, 0);
}

// Nobody reads the far end: the write blocks with most of its bytes unsent. ClosePort must
// abandon it at once, and that is no hang-up.
void TstWriteThread::closePortDuringALongWrite() {
    PtyPair pty;
    PumpedNoticeChannel channel;
    TComm comm(channel);
    CommRecorder recorder(comm);
    OpenOn(comm, channel, pty, recorder);

    const QByteArray block = CountingBytes(65535);
    for (int i = 0; i < 4; ++i)
        QVERIFY(comm.WriteBytes(Bytes(block), uint16_t(block.size())));
    QTest::qWait(100);
    QElapsedTimer timer;
    timer.start();
    comm.ClosePort();
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    channel.PumpFor(100ms);
    QCOMPARE(recorder.hangups, 0);
    QCOMPARE(recorder.sendEmpties, 1);
    QVERIFY(pty.Receive(4 * block.size(), 200).size() < 4 * block.size());
}

QTEST_GUILESS_MAIN(TstWriteThread)
#include "tst_write_thread.moc"
