#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"
#include "tests/soak/process_probe.h"
#include "tests/support/pty_pair.h"

#include <QtTest>

#include <memory>

using namespace std::chrono_literals;

// The serial component opened and closed a thousand times on pseudo-terminals with bytes going
// both ways. Every cycle must give back what it took: no descriptor stays open, no block is
// left in flight and, under AddressSanitizer, nothing leaks.
class TestOpenCloseCycles : public QObject {
    Q_OBJECT
private slots:
    void cyclesLeaveNothingBehind();
};

namespace {

constexpr int Cycles = 1000;

// How a cycle ends.
enum class CycleEnd {
    Completed,      // both directions delivered in full, then ClosePort
    ClosedInFlight, // ClosePort while bytes still travel both ways
    DestroyedOpen,  // the component destroyed while open, its notices undelivered
};

// Queues `bytes` for writing in requests of up to `request` bytes.
bool QueueWrites(TComm& comm, const QByteArray& bytes, qsizetype request) {
    for (qsizetype done = 0; done < bytes.size(); done += request) {
        const auto length = static_cast<uint16_t>(std::min(request, bytes.size() - done));
        if (!comm.WriteBytes(reinterpret_cast<const uint8_t*>(bytes.constData() + done), length))
            return false;
    }
    return true;
}

} // namespace

void TestOpenCloseCycles::cyclesLeaveNothingBehind() {
    const int descriptorsBefore = OpenDescriptorCount();

    PumpedNoticeChannel channel;
    TComm comm(channel);
    QByteArray received;
    int hangups = 0;
    comm.OnReceiveData = [&](TComm&, const uint8_t* buffer, uint16_t length) {
        received.append(reinterpret_cast<const char*>(buffer), length);
    };
    comm.OnRequestHangup = [&](TComm&) { ++hangups; };

    for (int cycle = 0; cycle < Cycles; ++cycle) {
        const auto end = static_cast<CycleEnd>(cycle % 3);
        // Whole blocks inbound, so a completed cycle never waits for the read interval.
        const QByteArray inbound = CountingBytes(2048 * (1 + cycle % 3), cycle);
        const QByteArray outbound =
            CountingBytes(end == CycleEnd::Completed ? 1 + cycle % 700 : 40000, cycle * 7);
        PtyPair pty;
        QVERIFY(pty.IsValid());
        received.clear();

        if (end == CycleEnd::DestroyedOpen) {
            PumpedNoticeChannel ownChannel;
            auto own = std::make_unique<TComm>(ownChannel);
            own->SetCommName(pty.SlavePath());
            own->OpenPort();
            QVERIFY(pty.Send(inbound));
            QVERIFY(QueueWrites(*own, outbound, 1 + cycle % 4096));
            own.reset();
            continue;
        }

        comm.SetCommName(pty.SlavePath());
        comm.OpenPort();
        QVERIFY(pty.Send(inbound));
        QVERIFY(QueueWrites(comm, outbound, 1 + cycle % 256));
        if (end == CycleEnd::Completed) {
            QVERIFY2(channel.PumpUntil([&] { return received.size() >= inbound.size(); }, 5s),
                     qPrintable(QStringLiteral("cycle %1: %2 of %3 bytes received")
                                    .arg(cycle)
                                    .arg(received.size())
                                    .arg(inbound.size())));
            QCOMPARE(received, inbound);
            QCOMPARE(pty.Receive(outbound.size(), 5000), outbound);
        }
        comm.ClosePort();
        QVERIFY(!comm.IsOpen());
        // Blocks posted before the close still arrive, in order, and give their bytes back.
        channel.Pump(0ms);
        QVERIFY2(inbound.startsWith(received), qPrintable(QString::number(cycle)));
        QCOMPARE(comm.BytesInFlight(), size_t(0));
    }

    QCOMPARE(hangups, 0);
    QCOMPARE(channel.Pending(), size_t(0));
    QCOMPARE(OpenDescriptorCount(), descriptorsBefore);
}

QTEST_APPLESS_MAIN(TestOpenCloseCycles)
#include "tst_open_close_cycles.moc"
