#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "tests/support/beep_counter.h"

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

enum class Build { Multi, Single };

BuildProfile ProfileOf(Build build) {
    return build == Build::Multi ? MultiChannelBuild() : SingleChannelBuild();
}

QString TextOf(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* chart = qobject_cast<const QChartView*>(widget))
        return chart->chart()->title();
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { m_beeps.Reset(); }

    void window_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QSize>("normalSize");
        QTest::newRow("tessavane8") << Build::Multi << QSize(946, 462);
        QTest::newRow("tessavane1") << Build::Single << QSize(788, 462);
    }
    void window() {
        QFETCH(Build, build);
        QFETCH(QSize, normalSize);
        Program program(ProfileOf(build));
        TForm1& form = program.Form1;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tessavane"));
        QCOMPARE(form.size(), normalSize);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(166, 202, 240));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form.font().pixelSize(), 11);
        QCOMPARE(form.Edit1->font().pixelSize(), 13);
        QCOMPARE(form.Edit3->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(form.ComboBox1->palette().color(QPalette::Text), QColor(0, 255, 0));
        QVERIFY(form.Timer1->isActive());
        QCOMPARE(form.Timer1->interval(), 1000);
        QCOMPARE(form.State.PortOpened, 0);

        form.ShowMaximizedAtStart();
        QVERIFY(form.isMaximized());
        form.showNormal();
        QCOMPARE(form.size(), normalSize);
    }

    // Every control of both builds: its parent, place, size and text.
    void layout_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const QString f = QStringLiteral("Form1");
        const QString c = QStringLiteral("Chart1");
        struct Row {
            const char* name;
            QRect geometry;
            const char* text;
        };
        const Row common[] = {
            {"Label1", {4, 8, 6, 13}, "1"},
            {"Label2", {4, 40, 6, 13}, "2"},
            {"Label3", {4, 72, 8, 13}, "R"},
            {"Edit1", {16, 8, 758, 24}, ""},
            {"Edit2", {16, 40, 758, 24}, ""},
            {"Edit3", {16, 72, 758, 24}, ""},
            {"Label4", {8, 104, 91, 13}, "Send Data Area ："},
            {"Edit4", {8, 120, 1009, 24}, ""},
            {"Label5", {8, 152, 106, 13}, "Receive Data Area ："},
            {"Edit5", {8, 168, 1009, 24}, ""},
            {"Label6",
             {8, 200, 621, 13},
             "COM Port ：                Baud Rate ：              Data Bit ：                    "
             "Parity Check ：            Stop Bit ：                   Wave Show："},
            {"ComboBox1", {8, 216, 94, 21}, "COM1"},
            {"ComboBox2", {118, 216, 94, 21}, "19200"},
            {"ComboBox3", {228, 216, 94, 21}, "数据位8位"},
            {"ComboBox4", {338, 216, 94, 21}, "无校验None"},
            {"ComboBox5", {448, 216, 94, 21}, "停止位1"},
            {"ComboBox6", {558, 216, 94, 21}, "波形显示"},
            {"Button1", {780, 8, 75, 25}, "+"},
            {"Button2", {780, 40, 75, 25}, "-"},
            {"Button4", {860, 8, 75, 25}, "*"},
            {"Button5", {860, 40, 75, 25}, "/"},
            {"Button3", {780, 72, 75, 25}, "Sum"},
            {"Button6", {860, 72, 75, 25}, "About"},
            {"Button7", {940, 8, 75, 25}, "16 -->10"},
            {"Button8", {940, 40, 75, 25}, "X ^ Y"},
            {"Button9", {940, 72, 75, 25}, "Exit"},
            {"Button10", {664, 212, 80, 25}, "Open COM"},
            {"Button11", {754, 212, 80, 25}, "Close COM"},
            {"Button12", {843, 212, 80, 25}, "Send Data"},
            {"Button13", {933, 212, 80, 25}, "Send_Sum"},
            {"Chart1", {8, 248, 1009, 465}, "串口数据波形显示"},
        };
        for (Build build : {Build::Multi, Build::Single}) {
            const char* tag = build == Build::Multi ? "8" : "1";
            for (const Row& row : common)
                QTest::addRow("%s %s", tag, row.name)
                    << build << row.name << f << row.geometry << QString::fromUtf8(row.text);
        }
        QTest::newRow("8 cxButton1")
            << Build::Multi << "cxButton1" << c << QRect(936, 432, 25, 17) << "N1";
        QTest::newRow("8 cxButton2")
            << Build::Multi << "cxButton2" << c << QRect(968, 432, 25, 17) << "S1";
        QTest::newRow("8 cxButton3")
            << Build::Multi << "cxButton3" << c << QRect(0, 0, 75, 25) << "Send_Wave";
        QTest::newRow("8 cxButton4")
            << Build::Multi << "cxButton4" << c << QRect(96, 0, 75, 25) << "Receive_Wave";
        QTest::newRow("1 cxButton1")
            << Build::Single << "cxButton1" << f << QRect(8, 248, 75, 25) << "Send_Wave";
        QTest::newRow("1 cxButton2")
            << Build::Single << "cxButton2" << c << QRect(96, 0, 75, 25) << "Receive_Wave";
    }
    void layout() {
        QFETCH(Build, build);
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        Program program(ProfileOf(build));
        auto* widget = program.Form1.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(TextOf(widget), text);
        QVERIFY(widget->isEnabled());
    }

    void singleChannelHasNoChannelButtons() {
        Program program(SingleChannelBuild());
        QVERIFY(!program.Form1.cxButton3);
        QVERIFY(!program.Form1.cxButton4);
        QVERIFY(!program.Form1.ChartButton(ChartButtonRole::GroupLength));
        QCOMPARE(program.Form1.ChartButton(ChartButtonRole::SendWave), program.Form1.cxButton1);
    }

    // The focus moves through the controls in the order of their tab indices; the chart's own
    // buttons follow the chart.
    void tabOrder_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QStringList>("order");
        const QStringList head = {"Edit1",     "Edit2",     "Edit3",   "ComboBox1", "ComboBox2",
                                  "ComboBox3", "ComboBox4", "Edit4",   "Edit5",     "Button1",
                                  "Button2",   "Button4",   "Button5", "Button3",   "Button6",
                                  "Button7",   "Button8",   "Button9", "Button10",  "Button11",
                                  "Button12",  "Button13"};
        QTest::newRow("tessavane8")
            << Build::Multi << head + QStringList{"cxButton1", "cxButton2", "cxButton3",
                                                  "cxButton4", "ComboBox5", "ComboBox6"};
        QTest::newRow("tessavane1")
            << Build::Single
            << head + QStringList{"cxButton2", "ComboBox5", "ComboBox6", "cxButton1"};
    }
    void tabOrder() {
        QFETCH(Build, build);
        QFETCH(QStringList, order);
        Program program(ProfileOf(build));
        QStringList chain;
        QWidget* widget = program.Form1.Edit1;
        do {
            if (widget->focusPolicy() & Qt::TabFocus && !widget->objectName().isEmpty())
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != program.Form1.Edit1);
        chain.removeAll(QStringLiteral("qt_spinbox_lineedit"));
        QCOMPARE(chain.mid(0, order.size()), order);
    }

    void selectorLists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("port") << "ComboBox1" << 48 << 0 << "COM1"
                              << "COM48";
        QTest::newRow("baud") << "ComboBox2" << 41 << 21 << "75"
                              << "1228800";
        QTest::newRow("data bits") << "ComboBox3" << 6 << 4 << "数据位4位"
                                   << "数据位9位";
        QTest::newRow("parity") << "ComboBox4" << 5 << 0 << "无校验None"
                                << "空Space";
        QTest::newRow("stop bits") << "ComboBox5" << 3 << 0 << "停止位1"
                                   << "停止位2";
        QTest::newRow("wave mode") << "ComboBox6" << 8 << -1 << "单字节自动"
                                   << "无波形显示";
    }
    void selectorLists() {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, first);
        QFETCH(QString, last);
        Program program(MultiChannelBuild());
        auto* selector = program.Form1.findChild<Selector*>(name);
        QCOMPARE(selector->count(), count);
        QCOMPARE(selector->currentIndex(), index);
        QCOMPARE(selector->itemText(0), first);
        QCOMPARE(selector->itemText(count - 1), last);
        QVERIFY(selector->isEditable());
    }

    void baudListIsExact() {
        Program program(MultiChannelBuild());
        QStringList entries;
        for (int i = 0; i < program.Form1.ComboBox2->count(); ++i)
            entries << program.Form1.ComboBox2->itemText(i);
        QCOMPARE(entries.join(' '),
                 QStringLiteral("75 110 134 150 220 300 330 600 660 900 1200 1800 2400 4800 5700 "
                                "6400 7200 9600 11400 14400 16550 19200 22800 28800 33600 38400 "
                                "56000 57600 76800 115200 128000 153600 230400 256000 307200 "
                                "460800 512000 614400 921600 1024000 1228800"));
    }

    // Changed() runs for every choice and every typed edit, never for the program's own
    // selection; typing leaves no entry selected, even a text equal to an entry.
    void selectorChangeSignal() {
        Program program(MultiChannelBuild());
        Selector* selector = program.Form1.ComboBox2;
        QSignalSpy changed(selector, &Selector::Changed);
        selector->setCurrentIndex(5);
        QCOMPARE(changed.count(), 0);

        selector->lineEdit()->selectAll();
        QTest::keyClicks(selector->lineEdit(), QStringLiteral("1200"));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(selector->currentIndex(), -1);
        QCOMPARE(selector->currentText(), QStringLiteral("1200"));

        QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
        QCOMPARE(selector->count(), 41); // Enter adds nothing to the list
        QCOMPARE(selector->currentIndex(), -1);

        emit selector->activated(3);
        QCOMPARE(changed.count(), 5);
        QCOMPARE(m_beeps.Count(), 1); // only Sum's, pressed by the Enter; selectors never beep
    }

    void enterPressesSumEscapePressesExit() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        form.show();
        QSignalSpy sum(form.Button3, &QPushButton::clicked);
        QSignalSpy plus(form.Button1, &QPushButton::clicked);
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QTest::keyClick(form.Edit4, Qt::Key_Enter);
        QTest::keyClick(form.ComboBox2->lineEdit(), Qt::Key_Return);
        QCOMPARE(sum.count(), 3);
        QTest::keyClick(form.Button1, Qt::Key_Return); // a focused button takes Enter itself
        QCOMPARE(plus.count(), 1);
        QCOMPARE(sum.count(), 3);

        QTest::keyClick(form.Edit2, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(m_beeps.Count(), 5); // three Sums, one +, Exit
    }

    void exitEndsTheProgramWithTheNoticeWindowOpen() {
        Program program(MultiChannelBuild());
        program.Form1.show();
        program.Form1.ShowNotice(QStringLiteral("body"), QStringLiteral("注意！"));
        QSignalSpy quit(qApp, &QCoreApplication::aboutToQuit);
        QTimer::singleShot(0, program.Form1.Button9, &QPushButton::click);
        QTimer::singleShot(2000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }

    // Button6: the About box while Open COM is enabled, otherwise the display-base toggle; every
    // click resets the Sum total and beeps.
    void displayBase_data() {
        QTest::addColumn<bool>("openComEnabled");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("aboutShown");
        QTest::newRow("closed keeps About") << true << "About"
                                            << "About" << true;
        QTest::newRow("closed keeps COM-16") << true << "COM-16"
                                             << "COM-16" << true;
        QTest::newRow("open 10 to 16") << false << "COM-10"
                                       << "COM-16" << false;
        QTest::newRow("open 16 to 10") << false << "COM-16"
                                       << "COM-10" << false;
        QTest::newRow("open other to 16") << false << "About"
                                          << "COM-16" << false;
    }
    void displayBase() {
        QFETCH(bool, openComEnabled);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, aboutShown);
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        form.Button10->setEnabled(openComEnabled);
        form.Button6->setText(before);
        form.State.RunningTotal = 12.5;
        form.State.PortOpened = 1;
        form.Button6->click();
        QCOMPARE(form.Button6->text(), after);
        QCOMPARE(form.State.RunningTotal, 0.0);
        QCOMPARE(form.State.PortOpened, 1);
        QCOMPARE(program.Form2.isVisible(), aboutShown);
        if (aboutShown) {
            QCOMPARE(program.Form2.windowTitle(), QStringLiteral("谢谢！"));
            QVERIFY(program.Form2.Label1->text().startsWith(QStringLiteral("谢谢使用！")));
        }
        QCOMPARE(m_beeps.Count(), 1);
    }

private:
    BeepCounter m_beeps;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
