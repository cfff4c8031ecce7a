#include "app/error_report.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "tests/soak/sanitizer_build.h"
#include "tests/soak/vanishing_far_end.h"
#include "tests/support/pty_pair.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

using namespace std::chrono_literals;

// The far end of COM1 goes away at random moments while the real window receives a stream or
// sends a long text. Nothing may crash or hang: the window stays usable, Close COM closes the
// port at once and Open COM opens it again on the device that comes back.
class TestFarEndLoss : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lostWhileReceiving_data() { DisplayBases(); }
    void lostWhileReceiving();
    void lostDuringALongSend_data() { DisplayBases(); }
    void lostDuringALongSend();

private:
    static void DisplayBases();
    TForm1& Form() { return m_program->Form1; }
    QString NoticeBody() const { return m_program->Form2.Label1->text(); }
    void OpenOnFreshDevice(bool hexadecimal);
    void CheckExchange(bool hexadecimal);
    void SurviveTheLoss(VanishingFarEnd& farEnd, bool waitForHangup, int hangupsBefore);

    std::unique_ptr<Program> m_program;
    std::unique_ptr<PtyPair> m_pty;
    // A fixed seed: every run picks the same moments, so a failure can be run again.
    QRandomGenerator m_random{7};
    int m_hangups = 0;
    // While a far end sends its counting pattern: what the window received of it.
    const VanishingFarEnd* m_sender = nullptr;
    qint64 m_checked = 0; // bytes compared with the pattern
    qint64 m_outOfOrder = 0;
};

namespace {
// Rounds per test: each opens the port on a new device, loses the far end, closes the port.
constexpr int Rounds = ScaledForBuild(12, 5);
// The far end goes away within this time after it starts.
constexpr int LongestLifetimeMs = 80;
constexpr qint64 HangMs = 3000;
} // namespace

void TestFarEndLoss::DisplayBases() {
    QTest::addColumn<bool>("hexadecimal");
    QTest::newRow("characters") << false;
    QTest::newRow("hexadecimal") << true;
}

void TestFarEndLoss::init() {
    m_program = std::make_unique<Program>(MultiChannelBuild());
    m_hangups = 0;
    // The window's own handlers still run; the test only watches what passes.
    TComm& comm = Form().Comm1;
    comm.OnReceiveData = [this, handler = comm.OnReceiveData](TComm& sender, const uint8_t* buffer,
                                                              uint16_t length) {
        // Only blocks read before the far end began to close are compared: the pseudo-terminal
        // driver may hand over what it still held at that moment out of order (Linux 6.x does,
        // without any reader of ours), and a vanishing device owes no whole last bytes either.
        if (m_sender && !m_sender->Vanishing()) {
            for (uint16_t i = 0; i < length; ++i, ++m_checked) {
                if (buffer[i] != static_cast<uint8_t>(m_checked & 0xFF))
                    ++m_outOfOrder;
            }
        }
        if (handler)
            handler(sender, buffer, length);
    };
    comm.OnRequestHangup = [this, handler = comm.OnRequestHangup](TComm& sender) {
        ++m_hangups;
        if (handler)
            handler(sender);
    };
    Form().ComboBox6->setCurrentIndex(2); // plot too: dealt over the channels
}

void TestFarEndLoss::cleanup() {
    delete OpenErrorReport();
    m_program.reset();
    m_pty.reset();
}

// Open COM on a new pseudo-terminal mapped to COM1, as when a device is plugged in again.
void TestFarEndLoss::OpenOnFreshDevice(bool hexadecimal) {
    m_pty = std::make_unique<PtyPair>();
    QVERIFY(m_pty->IsValid());
    const std::string path = m_pty->SlavePath();
    Form().Comm1.SetDeviceLister([path] { return std::vector<std::string>{path}; });
    Form().Button10->click();
    QVERIFY(Form().Comm1.IsOpen());
    QVERIFY(NoticeBody().startsWith(QStringLiteral("串口打开成功！")));
    QVERIFY(!Form().Button10->isEnabled());
    if (hexadecimal)
        Form().Button6->click(); // COM-10 -> COM-16
}

// Bytes pass both ways through the window.
void TestFarEndLoss::CheckExchange(bool hexadecimal) {
    Form().Edit5->clear();
    QVERIFY(m_pty->Send("ping"));
    QTRY_COMPARE_WITH_TIMEOUT(Form().Edit5->text(),
                              hexadecimal ? QStringLiteral("70696E67") : QStringLiteral("ping"),
                              HangMs);
    Form().Edit4->setText(hexadecimal ? QStringLiteral("4F4B") : QStringLiteral("OK"));
    Form().Button12->click();
    QCOMPARE(m_pty->Receive(2, HangMs), QByteArray("OK"));
}

// After the far end went away: the window still answers, Close COM returns at once and leaves
// the window ready to open again.
void TestFarEndLoss::SurviveTheLoss(VanishingFarEnd& farEnd, bool waitForHangup,
                                    int hangupsBefore) {
    QTRY_VERIFY_WITH_TIMEOUT(farEnd.Gone(), HangMs);
    farEnd.Join();
    if (waitForHangup)
        QTRY_VERIFY_WITH_TIMEOUT(m_hangups > hangupsBefore, HangMs);

    QElapsedTimer elapsed;
    elapsed.start();
    Form().Edit4->setText(QStringLiteral("0102"));
    Form().Button12->click(); // to a line that is gone: refused or dropped, never stuck
    Form().Button11->click();
    QVERIFY2(elapsed.elapsed() < HangMs, qPrintable(QString::number(elapsed.elapsed())));
    QVERIFY(!Form().Comm1.IsOpen());
    QCOMPARE(NoticeBody(), QStringLiteral("串口关闭成功！"));
    QCOMPARE(Form().State.PortOpened, 0);
    QVERIFY(Form().Button10->isEnabled());
    QVERIFY(!Form().Button11->isEnabled());
    // Notices posted before the close are still handled; then the window is idle again.
    QTest::qWait(20);
}

void TestFarEndLoss::lostWhileReceiving() {
    QFETCH(bool, hexadecimal);
    for (int round = 0; round < Rounds; ++round) {
        OpenOnFreshDevice(hexadecimal);
        CheckExchange(hexadecimal);
        if (QTest::currentTestFailed())
            return;
        m_checked = 0;
        m_outOfOrder = 0;
        const int hangupsBefore = m_hangups;
        VanishingFarEnd farEnd(*m_pty, VanishingFarEnd::Role::Sender,
                               std::chrono::milliseconds(m_random.bounded(LongestLifetimeMs)));
        m_sender = &farEnd;
        SurviveTheLoss(farEnd, m_random.bounded(2) == 0, hangupsBefore);
        m_sender = nullptr;
        if (QTest::currentTestFailed())
            return;
        // What arrived before the loss came in order.
        QCOMPARE(m_outOfOrder, 0);
        QVERIFY(m_checked <= farEnd.Sent());
    }
    OpenOnFreshDevice(hexadecimal);
    CheckExchange(hexadecimal);
}

void TestFarEndLoss::lostDuringALongSend() {
    QFETCH(bool, hexadecimal);
    // The longest text the Send Data Area holds, sent twice: far more than the line buffers.
    const int textLength = Form().Edit4->maxLength();
    QString text;
    QByteArray bytes;
    if (hexadecimal) {
        bytes = CountingBytes(textLength / 2);
        text = QString::fromLatin1(bytes.toHex().toUpper());
    } else {
        for (int i = 0; i < textLength; ++i)
            bytes.append(char('A' + i % 26));
        text = QString::fromLatin1(bytes);
    }
    const QByteArray sent = bytes + bytes;

    for (int round = 0; round < Rounds; ++round) {
        OpenOnFreshDevice(hexadecimal);
        CheckExchange(hexadecimal);
        if (QTest::currentTestFailed())
            return;
        const int hangupsBefore = m_hangups;
        VanishingFarEnd farEnd(*m_pty, VanishingFarEnd::Role::SlowReader,
                               std::chrono::milliseconds(m_random.bounded(LongestLifetimeMs)));
        Form().Edit4->setText(text);
        Form().Button12->click();
        Form().Button12->click();
        SurviveTheLoss(farEnd, m_random.bounded(2) == 0, hangupsBefore);
        if (QTest::currentTestFailed())
            return;
        // The far end saw the text in order up to the moment it went away.
        QVERIFY2(sent.startsWith(farEnd.Read()), qPrintable(QString::number(round)));
        QVERIFY(farEnd.Read().size() < sent.size());
    }
    OpenOnFreshDevice(hexadecimal);
    CheckExchange(hexadecimal);
}

QTEST_MAIN(TestFarEndLoss)
#include "tst_far_end_loss.moc"
