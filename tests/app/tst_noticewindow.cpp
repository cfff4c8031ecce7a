#include "builds/build_profiles.h"
#include "builds/program.h"
#include "tests/support/beep_counter.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestNoticeWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { m_beeps.Reset(); }

    void startsHiddenWithFixedLabels() {
        Program program(MultiChannelBuild());
        TForm2& notices = program.Form2;
        QVERIFY(!notices.isVisible());
        QVERIFY(notices.Label1->text().isEmpty());
        QCOMPARE(notices.Label6->text(), QStringLiteral("V4.1 Build20060105"));
        QCOMPARE(notices.Label1->geometry(), QRect(24, 20, 241, 13));
        QCOMPARE(notices.Button1->geometry(), QRect(102, 50, 75, 25));
        QCOMPARE(notices.Button1->text(), QStringLiteral("OK"));
        QVERIFY(!(notices.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(notices.windowFlags() & Qt::WindowMinimizeButtonHint));
    }

    // One window: a second notice replaces the body and caption of the first; the main window
    // stays usable and nothing waits for OK.
    void secondNoticeReplacesFirst() {
        Program program(MultiChannelBuild());
        program.Form1.show();
        program.Form1.ShowNotice(QStringLiteral("打开串口成功！"), QStringLiteral("成功！"));
        program.Form1.ShowNotice(QStringLiteral("请先打开串口！"), QStringLiteral("错误！"));
        TForm2& notices = program.Form2;
        QVERIFY(notices.isVisible());
        QVERIFY(!notices.isModal());
        QCOMPARE(notices.Label1->text(), QStringLiteral("请先打开串口！"));
        QCOMPARE(notices.windowTitle(), QStringLiteral("错误！"));
        QCOMPARE(QApplication::topLevelWidgets().count(&notices), 1);
        QCOMPARE(m_beeps.Count(), 0);
    }

    void okHidesWithBeepCloseBoxWithout() {
        Program program(MultiChannelBuild());
        TForm2& notices = program.Form2;
        notices.ShowNotice(QStringLiteral("a"), QStringLiteral("注意！"));
        notices.Button1->click();
        QVERIFY(!notices.isVisible());
        QCOMPARE(m_beeps.Count(), 1);

        notices.ShowNotice(QStringLiteral("b"), QStringLiteral("注意！"));
        notices.close();
        QVERIFY(!notices.isVisible());
        QCOMPARE(m_beeps.Count(), 1);

        notices.ShowNotice(QStringLiteral("c"), QStringLiteral("注意！"));
        QVERIFY(notices.isVisible());
        QCOMPARE(notices.Label1->text(), QStringLiteral("c"));
    }

private:
    BeepCounter m_beeps;
};

QTEST_MAIN(TestNoticeWindow)
#include "tst_noticewindow.moc"
