#include "tests/support/beep_counter.h"
#include "app/error_report.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "calculator/calculator_commands.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

enum class Build { Multi, Single };

BuildProfile ProfileOf(Build build) {
    return build == Build::Multi ? MultiChannelBuild() : SingleChannelBuild();
}

QPushButton* ButtonOf(TForm1& form, const QString& name) {
    return form.findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

QString ShownError() {
    QMessageBox* box = OpenErrorReport();
    return box ? box->text() : QString();
}

const QString HexToDec = QString::fromLatin1(CaptionHexToDecimal);
const QString DecToHex = QString::fromLatin1(CaptionDecimalToHex);

} // namespace

Q_DECLARE_METATYPE(Build)

class TestCalculatorHandlers : public QObject {
    Q_OBJECT
private slots:
    void init() { m_beeps.Reset(); }
    void cleanup() { delete OpenErrorReport(); }

    // One click on the window of either program: the result box, the notice or the error report,
    // Button7's caption afterwards, and one beep whatever the outcome.
    void click_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("captionAfter");
        const auto multi = Build::Multi;
        const auto single = Build::Single;
        const QString old = QStringLiteral("old");
        const QString none;
        QTest::newRow("+") << multi << "Button1"
                           << "1"
                           << "2" << HexToDec << "3" << none << none << HexToDec;
        QTest::newRow("-") << single << "Button2"
                           << "0.3"
                           << "0.1" << HexToDec << "0.2" << none << none << HexToDec;
        QTest::newRow("*") << multi << "Button4"
                           << ".5"
                           << "4" << HexToDec << "2" << none << none << HexToDec;
        QTest::newRow("/") << single << "Button5"
                           << "2"
                           << "3" << HexToDec << "0.666666666666667" << none << none << HexToDec;
        QTest::newRow("first missing")
            << single << "Button2"
            << ""
            << "" << HexToDec << old << NoticeFirstMissing << none << HexToDec;
        QTest::newRow("second missing")
            << multi << "Button4"
            << "1"
            << "" << HexToDec << old << NoticeSecondMissing << none << HexToDec;
        QTest::newRow("bad format")
            << single << "Button1"
            << "1,5"
            << "1" << HexToDec << old << NoticeBadFormat << none << HexToDec;
        QTest::newRow("zero divisor")
            << multi << "Button5"
            << "10"
            << "." << HexToDec << old << NoticeZeroDivisor << none << HexToDec;
        QTest::newRow("not a number") << single << "Button4"
                                      << "5-3"
                                      << "1" << HexToDec << old << none
                                      << "'5-3' is not a valid floating point value." << HexToDec;
        QTest::newRow("product overflows")
            << multi << "Button4"
            << "1" + QString(200, u'0') << "1" + QString(200, u'0') << HexToDec << old << none
            << "Floating point overflow." << HexToDec;
        QTest::newRow("power") << multi << "Button8"
                               << "2"
                               << "10" << HexToDec << "1024" << none << none << HexToDec;
        QTest::newRow("huge power") << single << "Button8"
                                    << "-1"
                                    << "2147483647" << HexToDec << "-1" << none << none << HexToDec;
        QTest::newRow("power of 0")
            << single << "Button8"
            << "0"
            << "2" << HexToDec << old << NoticeZeroOperand << none << HexToDec;
        QTest::newRow("power overflows")
            << multi << "Button8"
            << "2"
            << "2147483647" << HexToDec << old << none << "Floating point overflow." << HexToDec;
        QTest::newRow("exponent too large")
            << single << "Button8"
            << "2"
            << "3000000000" << HexToDec << old << none
            << "'3000000000' is not a valid integer value." << HexToDec;
        QTest::newRow("hex to decimal") << multi << "Button7"
                                        << "FF"
                                        << "" << HexToDec << "255" << none << none << DecToHex;
        QTest::newRow("decimal to hex") << single << "Button7"
                                        << "255"
                                        << "" << DecToHex << "FF" << none << none << HexToDec;
        QTest::newRow("bad hex turns caption")
            << single << "Button7"
            << "0x1F"
            << "" << HexToDec << "0x1F" << NoticeBadFormat << none << DecToHex;
        QTest::newRow("bad decimal keeps caption")
            << multi << "Button7"
            << "0x1F"
            << "" << DecToHex << "0x1F" << NoticeBadFormat << none << DecToHex;
        QTest::newRow("over range gives FF")
            << multi << "Button7"
            << "2147483648"
            << "" << DecToHex << "FF" << NoticeOverRange << none << HexToDec;
        QTest::newRow("nothing to convert")
            << single << "Button7"
            << ""
            << "" << HexToDec << "" << NoticeConvertMissing << none << HexToDec;
    }
    void click() {
        QFETCH(Build, build);
        QFETCH(QString, button);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, caption);
        QFETCH(QString, result);
        QFETCH(QString, notice);
        QFETCH(QString, error);
        QFETCH(QString, captionAfter);
        Program program(ProfileOf(build));
        TForm1& form = program.Form1;
        form.show();
        // Base conversion works on the result box itself.
        const bool converts = button == u"Button7";
        form.Edit1->setText(converts ? QString() : first);
        form.Edit2->setText(second);
        form.Edit3->setText(converts ? first : QStringLiteral("old"));
        form.Button7->setText(caption);

        ButtonOf(form, button)->click();

        QCOMPARE(m_beeps.Count(), 1);
        QCOMPARE(form.Edit3->text(), result);
        QCOMPARE(form.Button7->text(), captionAfter);
        QCOMPARE(form.Edit2->text(), second);
        QCOMPARE(program.Form2.isVisible(), !notice.isEmpty());
        if (!notice.isEmpty()) {
            QCOMPARE(program.Form2.Label1->text(), notice);
            QCOMPARE(program.Form2.windowTitle(), QString::fromUtf8(NoticeCaptionError));
        }
        QCOMPARE(ShownError(), error);
        QCOMPARE(form.State.RunningTotal, 0.0);
    }

    // Typing a number into the first box and pressing Enter adds it up; each Sum selects the
    // box so the next number replaces it. The About button starts the total again.
    void enterRunsSum_data() {
        QTest::addColumn<Build>("build");
        QTest::newRow("tessavane8") << Build::Multi;
        QTest::newRow("tessavane1") << Build::Single;
    }
    void enterRunsSum() {
        QFETCH(Build, build);
        Program program(ProfileOf(build));
        TForm1& form = program.Form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Edit1->setFocus();

        QStringList shown;
        for (const char* number : {"5", "3", "-8", "0.1", "0.1", "0.1"}) {
            QTest::keyClicks(form.Edit1, QString::fromLatin1(number));
            QTest::keyClick(form.Edit1, Qt::Key_Return);
            shown << form.Edit3->text();
            QCOMPARE(form.Edit1->selectedText(), QString::fromLatin1(number));
            QCOMPARE(form.focusWidget(), form.Edit1);
        }
        QCOMPARE(shown, QStringList({"5", "8", "0", "0.1", "0.2", "0.3"}));

        form.Button6->click();
        QCOMPARE(form.State.RunningTotal, 0.0);
        QTest::keyClicks(form.Edit1, QStringLiteral("4"));
        QTest::keyClick(form.Edit1, Qt::Key_Enter);
        QCOMPARE(form.Edit3->text(), QStringLiteral("4"));
        QCOMPARE(m_beeps.Count(), 8);
    }

    // A refused Sum keeps the total and the result box; only the format notice selects the box.
    void sumRefused_data() {
        QTest::addColumn<QString>("operand");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("selected");
        QTest::newRow("empty") << "" << NoticeFirstMissing << "" << false;
        QTest::newRow("abc") << "abc" << NoticeBadFormat << "" << true;
        QTest::newRow("5-") << "5-"
                            << ""
                            << "'5-' is not a valid floating point value." << false;
    }
    void sumRefused() {
        QFETCH(QString, operand);
        QFETCH(QString, notice);
        QFETCH(QString, error);
        QFETCH(bool, selected);
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        form.show();
        form.State.RunningTotal = 7.0;
        form.Edit3->setText(QStringLiteral("7"));
        form.Edit1->setText(operand);
        form.Edit1->deselect();
        form.Edit2->setFocus();

        form.Button3->click();

        QCOMPARE(form.State.RunningTotal, 7.0);
        QCOMPARE(form.Edit3->text(), QStringLiteral("7"));
        QCOMPARE(program.Form2.isVisible(), !notice.isEmpty());
        QCOMPARE(program.Form2.Label1->text(), notice);
        QCOMPARE(ShownError(), error);
        QCOMPARE(form.Edit1->hasSelectedText(), selected);
        QCOMPARE(form.focusWidget() == form.Edit1, selected);
    }

    // FF and 255 back and forth through the caption.
    void conversionGoesBackAndForth() {
        Program program(SingleChannelBuild());
        TForm1& form = program.Form1;
        form.Edit3->setText(QStringLiteral("FF"));
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            form.Button7->click();
            seen << form.Edit3->text() + " " + form.Button7->text();
        }
        QCOMPARE(seen, QStringList({"255 " + DecToHex, "FF " + HexToDec, "255 " + DecToHex,
                                    "FF " + HexToDec}));
    }

private:
    BeepCounter m_beeps;
};

QTEST_MAIN(TestCalculatorHandlers)
#include "tst_calculator_handlers.moc"
